#!/bin/sh
# CTest's emulator for the cross build: runs one Windows program under Wine, in the
# prefix given by WINEPREFIX (set per test by CMake).
. "$(dirname "$0")/wine-env.sh"
exec wine "$@"
