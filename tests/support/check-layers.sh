#!/usr/bin/env bash
# Checks the include rules between the program's folders: check-layers.sh ROOT
#   - a core/ folder includes only core/ folders, and no toolkit library
#     (GTK, GDK, GLib, Pango, cairo);
#   - toolkit/ includes no other folder;
#   - the features (library/, codeview/, export/, dialogs/) include no
#     non-core file of one another, and of app/ only AppState.h, Ids.h and
#     app/core/: only app/ connects the features;
#   - app/AppState.h includes no non-core file of a feature.
# Prints every include that breaks a rule as FILE:LINE: RULE: TEXT and fails
# when there is one.
set -uo pipefail
cd "$1" || exit 2

features="library codeview export dialogs"
failed=0

complain() {
  echo "$1: $2" >&2
  failed=1
}

# The includes of the files below the folders (or of the files) in quotes
# or, with "<", in angle brackets: FILE:LINE:PATH.
includes() {
  local open=${1}
  shift
  local close='"'
  [ "$open" = "<" ] && close='>'
  grep -rHn --include='*.h' --include='*.cpp' -E "^[[:space:]]*#[[:space:]]*include[[:space:]]*$open" \
    "$@" | sed -E "s/^([^:]+:[0-9]+):[^$open]*$open([^$close]+)$close.*/\\1:\\2/"
}
quoted_includes() {
  includes '"' "$@"
}

while IFS=: read -r file line path; do
  case "$path" in
    */core/*) ;;
    *) complain "$file:$line" "core includes only core: $path" ;;
  esac
done < <(quoted_includes */core)

while IFS=: read -r file line path; do
  case "$path" in
    gtk/* | gdk/* | gdk-pixbuf/* | glib* | gio/* | gobject/* | pango/* | cairo*)
      complain "$file:$line" "core includes no toolkit library: <$path>"
      ;;
  esac
done < <(includes '<' */core)

while IFS=: read -r file line path; do
  case "$path" in
    toolkit/*) ;;
    *) complain "$file:$line" "toolkit includes no other folder: $path" ;;
  esac
done < <(quoted_includes toolkit)

for feature in $features; do
  while IFS=: read -r file line path; do
    folder=${path%%/*}
    case "$path" in
      app/AppState.h | app/Ids.h | app/core/*) continue ;;
      app/*)
        complain "$file:$line" "a feature includes of app/ only AppState.h, Ids.h and core/: $path"
        continue
        ;;
    esac
    [ "$folder" = "$feature" ] && continue
    case " $features " in
      *" $folder "*)
        case "$path" in
          "$folder"/core/*) ;;
          *) complain "$file:$line" "a feature includes only core/ of another feature: $path" ;;
        esac
        ;;
    esac
  done < <(quoted_includes "$feature")
done

while IFS=: read -r file line path; do
  folder=${path%%/*}
  case " $features " in
    *" $folder "*)
      case "$path" in
        "$folder"/core/*) ;;
        *) complain "$file:$line" "AppState.h includes only core/ of a feature: $path" ;;
      esac
      ;;
  esac
done < <(quoted_includes app/AppState.h)

exit "$failed"
