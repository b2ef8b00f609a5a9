#!/bin/sh
# e2e-case.sh <wine-dir> <driver.exe> <gtest filter> <Setup.exe> [<windows version>]: runs one
# end-to-end case in a fresh copy of the template prefix (an install changes the machine;
# cases must not see each other's leftovers), with the prefix reporting the given Windows
# version (winecfg's names: win95, nt40, win98, winxp) when one is given, and checked to report
# it; an NT 4.0 prefix also loses what NT 4.0 lacks. The copy is kept when the case fails. With
# SETUP_E2E_SCREEN set (for example 640x480x24), the case runs on an X screen of its own of
# that size. With SETUP_WINE_LOCALE set (ja_JP.UTF-8), the template made under that locale is
# copied and the case runs under it (scripts/make-prefix.sh); with SETUP_E2E_DPI set (120 for
# Large Fonts), the prefix has that many pixels per inch.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
dir=$(cd "$1" && pwd)
driver=$(realpath "$2")
filter=$3
setup_exe=$(realpath "$4")
version=${5:-}
locale=${SETUP_WINE_LOCALE:-}
dpi=${SETUP_E2E_DPI:-}
name=$(printf '%s' "$locale${locale:+.}${dpi:+dpi$dpi.}$version${version:+.}$filter" |
    tr -c 'A-Za-z0-9_.-' '_')
template="$dir/template${locale:+-$locale}"
if [ -n "$locale" ]; then
    "$here/make-prefix.sh" "$dir" "$locale"
    export LANG="$locale" LC_ALL="$locale"
fi
xvfb_pid=""
if [ -n "${SETUP_E2E_SCREEN:-}" ]; then
    display=120
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 "$SETUP_E2E_SCREEN" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
fi
export WINEPREFIX="$dir/cases/$name"
rm -rf "$WINEPREFIX"
mkdir -p "$dir/cases"
cp -a "$template" "$WINEPREFIX"
wineserver -p
wine cmd /c exit </dev/null >/dev/null 2>&1
[ -n "$dpi" ] && set_dpi "$dpi"
if [ -n "$version" ]; then
    wine winecfg /v "$version" </dev/null >/dev/null 2>&1
    # What `ver` says there: major.minor.build, where Windows 95/98 keep their version in the
    # high word of the build number (0x040003B6: 4.0.950, 0x040A08AE: 4.10.2222).
    case $version in
    win95) expected="Microsoft Windows 4.0.67109814" ;;
    nt40) expected="Microsoft Windows 4.0.1381" ;;
    win98) expected="Microsoft Windows 4.10.67766446" ;;
    winxp) expected="Microsoft Windows 5.1.2600" ;;
    *) echo "no expected version for $version"; exit 1 ;;
    esac
    reported=$(wine cmd /c ver </dev/null 2>/dev/null | tr -d '\r' | grep .)
    echo "the prefix reports: $reported"
    if [ "$reported" != "$expected" ]; then
        echo "expected: $expected"
        exit 1
    fi
    if [ "$version" = nt40 ]; then
        # NT 4.0 keeps neither the value systemroot nor boot screens.
        wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v systemroot /f \
            </dev/null >/dev/null 2>&1
        rm -f "$WINEPREFIX/drive_c/windows/logos.sys" "$WINEPREFIX/drive_c/windows/logow.sys"
    fi
fi
# Screenshots go to SETUP_SCREENSHOT_DIR, or beside the cases (a folder per dpi).
shots=${SETUP_SCREENSHOT_DIR:-$dir/screenshots${dpi:+/${dpi}dpi}}
mkdir -p "$shots"
SETUP_EXE=$(winepath -w "$setup_exe" 2>/dev/null) \
SETUP_SCREENSHOTS=$(winepath -w "$shots" 2>/dev/null) \
    wine "$driver" --gtest_filter="$filter"
rc=$?
# Screenshots are taken as bitmaps; keep PNGs.
for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] && convert "$bmp" "${bmp%.bmp}.png" 2>/dev/null && rm -f "$bmp"
done
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
[ $rc -eq 0 ] && rm -rf "$WINEPREFIX"
exit $rc
