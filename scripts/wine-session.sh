#!/bin/sh
# wine-session.sh <wine-dir> <command...>: runs a command with an X display (Xvfb when there
# is none), the template prefix made, a fresh unit-test prefix and a persistent wineserver
# for it, and cleans all of that up afterwards.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
dir=$(mkdir -p "$1" && cd "$1" && pwd)
shift

xvfb_pid=""
cleanup() {
    WINEPREFIX="$dir/unit" wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT INT TERM

if [ -z "${DISPLAY:-}" ] || [ "${SETUP_XVFB:-0}" = 1 ]; then
    display=90
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.1
    done
fi

"$here/make-prefix.sh" "$dir"
# The double-byte code-page cases' templates, each under its locale.
for locale in $double_byte_locales; do
    "$here/make-prefix.sh" "$dir" "$locale"
done
rm -rf "$dir/unit"
cp -a "$dir/template" "$dir/unit"
WINEPREFIX="$dir/unit" wineserver -p
# Start Wine's background services now, with no output attached: started by the first test,
# they would hold its output pipe open and CTest would wait for them forever.
WINEPREFIX="$dir/unit" wine cmd /c exit </dev/null >/dev/null 2>&1
# The same for the desktop process (and the RPC service it starts), which the first window of
# any test would start otherwise: start it and wait until it has made the desktop.
WINEPREFIX="$dir/unit" wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
desktop_ready() {
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$dir/unit" && return 0
    done
    return 1
}
for _ in $(seq 100); do
    desktop_ready && break
    sleep 0.1
done
"$@"
