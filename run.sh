#!/bin/sh
# run.sh [dpi]: builds Setup.exe and starts it in the build's own Wine prefix, with the screen
# at dpi pixels per inch (96 by default; 120 is Large Fonts). With an X display you use the
# installer yourself; without one it runs under Xvfb, walks the pages with the default choices
# and saves a screenshot of each.
set -eu
cd "$(dirname "$0")"
dpi=${1:-96}
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2 --target product e2e_tests

wine_dir=build/win32/wine
if [ -n "${DISPLAY:-}" ]; then
    scripts/make-prefix.sh "$wine_dir"
    . scripts/wine-env.sh
    export WINEPREFIX="$PWD/$wine_dir/run"
    [ -d "$WINEPREFIX" ] || cp -a "$wine_dir/template" "$WINEPREFIX"
    set_dpi "$dpi"
    exec wine build/win32/product/app/Setup.exe
fi

shots="$PWD/build/win32/screenshots"
rm -rf "$shots"
SETUP_E2E_DPI=$dpi SETUP_SCREENSHOT_DIR="$shots" SETUP_XVFB=1 scripts/wine-session.sh "$wine_dir" \
    scripts/e2e-case.sh "$wine_dir" build/win32/tests/e2e/e2e_tests.exe 'Tour.*' \
    build/win32/product/app/Setup.exe
echo "screenshots of every page at $dpi dpi:"
ls -1 "$shots"/*.png
