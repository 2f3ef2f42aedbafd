#!/usr/bin/env bash
# Installs the desktop part of the build (desktop entry, icon, metainfo) into
# a temporary prefix and checks it as desktops and software centres read it:
# desktop-file-validate on the entry, appstreamcli on the metainfo and on the
# installed tree (which also finds the entry the metainfo launches), and the
# newest release of the metainfo must be the project's version. Any warning
# fails. Exits 77 (skipped), saying why, without the validators.
#
#   desktop-metadata.sh CMAKE BUILD VERSION
set -euo pipefail

cmake=${1:?usage: desktop-metadata.sh CMAKE BUILD VERSION}
build=${2:?usage: desktop-metadata.sh CMAKE BUILD VERSION}
version=${3:?usage: desktop-metadata.sh CMAKE BUILD VERSION}

for tool in desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (scripts/test installs desktop-file-utils and appstream)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A blank in the prefix, as in the entry's quoted Exec line.
prefix="$work/my prefix"
"$cmake" --install "$build" --prefix "$prefix" --component desktop >/dev/null

status=0
entry="$prefix/share/applications/orvex-api-viewer.desktop"
# It reports errors by its status, warnings only in its output.
if ! report=$(desktop-file-validate --no-hints "$entry" 2>&1) || [ -n "$report" ]; then
  printf 'desktop-file-validate %s:\n%s\n' "$entry" "$report"
  status=1
fi

shopt -s nullglob
metainfo=("$prefix"/share/metainfo/*.metainfo.xml)
if [ "${#metainfo[@]}" -ne 1 ]; then
  echo "expected one metainfo file in $prefix/share/metainfo, found ${#metainfo[@]}"
  exit 1
fi
# --strict fails on the hints too (an unknown tag is only one); the program's
# domain lies under a reserved top-level name the validator does not know.
validate=(--no-net --strict --override=cid-maybe-not-rdns=pedantic)
appstreamcli validate "${validate[@]}" "${metainfo[0]}" || status=1
appstreamcli validate-tree "${validate[@]}" "$prefix" || status=1

newest=$(grep -o -m 1 '<release version="[^"]*"' "${metainfo[0]}" | cut -d '"' -f 2)
if [ "$newest" != "$version" ]; then
  echo "the newest release in ${metainfo[0]##*/} is '$newest', not the project's version $version"
  status=1
fi
exit "$status"
