#!/bin/sh
# dpi-case.sh <template prefix> <dpi> <program.exe> [arguments...]: runs a Windows program in a
# fresh copy of a template prefix set to dpi pixels per inch, with a wineserver of its own. Any
# template will do (the build's own, or one with another code page); the copy is removed when
# the program succeeds and kept for a look when it fails.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
template=$(cd "$1" && pwd)
dpi=$2
shift 2
export WINEPREFIX="$template.dpi$dpi.$$"
rm -rf "$WINEPREFIX"
cp -a "$template" "$WINEPREFIX"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
set_dpi "$dpi"
wine "$@"
rc=$?
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
[ $rc -eq 0 ] && rm -rf "$WINEPREFIX"
exit $rc
