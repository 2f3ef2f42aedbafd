#!/usr/bin/env bash
# Runs a test program under valgrind memcheck: memcheck.sh PROGRAM [ARGUMENT...]
# Fails when the program fails, when the program itself has any memory error
# or a definite or indirect leak, or when a child it forks has a memory error.
# A forked child that ends with _exit leaves the blocks of its parent's stack
# frames unreferenced: those show as leaks in the child only and are not real,
# so leaks are judged in the program's own process alone.
set -uo pipefail
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

valgrind --log-file="$logs/%p.log" --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite,indirect --num-callers=30 "$@" &
pid=$!
wait "$pid"
status=$?

failed=0
main="$logs/$pid.log"
if ! grep -q "ERROR SUMMARY: 0 errors" "$main"; then
  cat "$main" >&2
  failed=1
fi
for log in "$logs"/*.log; do
  [ "$log" = "$main" ] && continue
  # Memory errors other than leaks start with these words.
  if grep -E -q "== (Invalid|Conditional jump|Use of uninitialised|Syscall param|Mismatched|Source and destination overlap|Argument)" "$log"; then
    cat "$log" >&2
    failed=1
  fi
done
if [ "$failed" -ne 0 ]; then
  echo "memcheck: valgrind reported errors (above)" >&2
  exit 99
fi
exit "$status"
