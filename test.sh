#!/bin/sh
# Builds both builds and runs every test of both through one CTest run (the cross build's
# tests under Wine, with Xvfb when there is no display). Exits non-zero on any failure.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh

cmake --preset host >/dev/null
cmake --build --preset host -j2
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j2

# One summary for both builds.
printf 'subdirs("host" "win32")\n' >build/CTestTestfile.cmake
exec scripts/wine-session.sh build/win32/wine \
    ctest --test-dir build --output-on-failure -j2 --timeout 300
