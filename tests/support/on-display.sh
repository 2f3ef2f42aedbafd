#!/bin/sh
# Runs a test program on its display: on-display.sh PROGRAM [ARGUMENT...]
# When CTest handed the test a display (the resource "displays", whose id is
# the display number), DISPLAY names it; otherwise the test keeps the DISPLAY
# it was started with. Either way a lock on that display is held while the
# test runs, so that two tests never drive one display at once; the lock is
# not handed to the test, so nothing the test leaves running can keep it.
# Each display has a home folder of its own too: the toolkit keeps recent
# files and bookmarks there, which a file chooser of one test would
# otherwise see change under it while another test runs.
display_id=
case "${CTEST_RESOURCE_GROUP_0_DISPLAYS:-}" in
  id:*)
    display_id=${CTEST_RESOURCE_GROUP_0_DISPLAYS#id:}
    display_id=${display_id%%,*}
    ;;
esac
if [ -n "$display_id" ]; then
  DISPLAY=":$display_id"
  export DISPLAY
fi
name="${TMPDIR:-/tmp}/orvex-test-display-$(printf '%s' "${DISPLAY:-none}" | tr -c 'A-Za-z0-9' '_')"
HOME="$name.home"
export HOME
mkdir -p "$HOME"
exec flock --close "$name.lock" "$@"
