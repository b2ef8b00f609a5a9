#!/bin/sh
# benchmarks/run.sh [-n ROUNDS] [-f]: whole-program figures of Setup.exe beside a peer installer
# made with Debian's makensis from the same content (once with its default compressor, once
# with solid LZMA) and beside a floor program that does the install work alone. Each round
# runs every program once (in a rotating order), each in a fresh copy of a template Wine
# prefix under one Xvfb, then prints a Markdown table of medians and ranges and the ratios to
# the floors. With -f, the floors alone: no peer (for a machine without makensis). Then, in rounds
# of their own that leave those figures alone, the benchmark's timed image of Setup (built with
# the marks of base/Timing.h) and a table of where Setup's time goes.
# A benchmark, not a test: slow, and its figures depend on the machine.
set -eu

rounds=5
peers=1
while getopts n:f option; do
    case $option in
    n) rounds=$OPTARG ;;
    f) peers=0 ;;
    *) echo "usage: $0 [-n ROUNDS] [-f]" >&2; exit 64 ;;
    esac
done
case $rounds in '' | *[!0-9]* | 0) echo "$0: -n wants a positive count" >&2; exit 64 ;; esac
command_line="benchmarks/run.sh -n $rounds$([ "$peers" = 1 ] || echo ' -f')"

bench=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$bench")
. "$root/scripts/wine-env.sh"
work="$root/build/bench"
wine_dir="$work/wine"
product="$root/build/win32/product"
standins="$product/payload/standins"
packed="$product/payload/packed"
setup_exe="$product/app/Setup.exe"
timed_exe="$root/build/win32/product-timed/app/Setup.exe"
say() { echo "run.sh: $*" >&2; }

# Always an Xvfb of our own, the same screen for every figure, and the template prefix made.
if [ -z "${BENCH_SESSION:-}" ]; then
    BENCH_SESSION=1 SETUP_XVFB=1 exec "$root/scripts/wine-session.sh" "$wine_dir" "$0" "$@"
fi

# --- Building -------------------------------------------------------------------------------

"$root/scripts/install-deps.sh"
if [ "$peers" = 1 ] && ! command -v makensis >/dev/null; then
    [ "$(id -u)" -eq 0 ] || { say "makensis is missing: apt-get install nsis as root"; exit 1; }
    apt-get install -y -qq nsis >/dev/null
fi

say "building Setup.exe, its timed image, the floors and the measuring program"
(cd "$root" && { [ -f build/win32/build.ninja ] || cmake --preset win32 >/dev/null; } &&
    cmake --build --preset win32 --target benchmark -j2 >/dev/null)
built="$root/build/win32/benchmarks"

trap 'wineserver -k 2>/dev/null || true' EXIT INT TERM
win() { winepath -w "$1" 2>/dev/null; }
export WINEPREFIX="$wine_dir/run"

# The peer's configuration text, written by Setup's own code from its own lines.
mkdir -p "$work/empty"
rm -rf "$WINEPREFIX" && cp -a "$wine_dir/template" "$WINEPREFIX"
wineserver -p
wine "$built/peer_config.exe" "$(win "$work/config.nsh")"
[ "$(wc -l <"$work/config.nsh")" -eq 54 ] || { say "the peer's configuration is not 54 lines"; exit 1; }

# The peer with the packager's default compressor (zlib), and with its strongest (solid LZMA).
peer() { # output [compressor setting]
    out=$1
    shift
    makensis -V1 "$@" -DPAYLOAD="$standins" -DPICTURES="$root/payload/bitmaps" \
        -DCONFIG_NSH="$work/config.nsh" -DOUTFILE="$out" "$bench/peer/peer.nsi" >&2
}
rm -f "$work/peer.exe" "$work/peer-lzma.exe"
if [ "$peers" = 1 ]; then
    say "building the peer"
    peer "$work/peer.exe"
    peer "$work/peer-lzma.exe" "-XSetCompressor /SOLID /FINAL lzma"
fi

# --- Running --------------------------------------------------------------------------------

# Setup's size, its five packed RT_RCDATA blocks and its packed pictures.
wine "$built/measure.exe" size "$(win "$setup_exe")" >"$work/line.txt"
read -r setup_size setup_blocks setup_pictures <<EOF
$(tr -d '\r' <"$work/line.txt")
EOF
wineserver -k 2>/dev/null || true
wineserver -w

# One measurement in a fresh prefix: an install changes the machine, and Wine would start the
# runner recorded under runServices with the next wineserver.
measure() { # label kind exe [payload folder]
    rm -rf "$WINEPREFIX" && cp -a "$wine_dir/template" "$WINEPREFIX"
    wineserver -p
    wine "$built/measure.exe" idle
    sleep 1 # the prefix's own start-up services settle before the clock runs
    # shellcheck disable=SC2046
    if ! wine "$built/measure.exe" "$2" "$(win "$3")" $([ -z "${4:-}" ] || win "$4") \
        >"$work/line.txt"; then
        say "$1 failed in round $round; its prefix is kept in $WINEPREFIX"
        exit 1
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w
    if [ "$2" = timed ]; then
        tr -d '\r' <"$work/line.txt" >>"$work/times.txt"
        say "round $round: timed image, $(wc -l <"$work/line.txt") phases"
        return
    fi
    line="$1 $(tr -d '\r' <"$work/line.txt" | cut -d' ' -f2-)"
    echo "$line" >>"$work/figures.txt"
    say "round $round: $line"
}

: >"$work/figures.txt"
round=1
while [ "$round" -le "$rounds" ]; do
    case $((round % 3)) in
    1) order="setup peer lzma floor window" ;;
    2) order="peer lzma floor window setup" ;;
    0) order="floor window setup peer lzma" ;;
    esac
    for kind in $order; do
        case $peers$kind in 0peer | 0lzma) continue ;; esac
        case $kind in
        setup) measure setup setup "$setup_exe" "$standins" ;;
        peer) measure peer peer "$work/peer.exe" "$standins" ;;
        lzma) measure lzma peer "$work/peer-lzma.exe" "$standins" ;;
        floor) measure floor floor "$built/floor.exe" "$standins" ;;
        window) measure window window "$built/window_floor.exe" ;;
        esac
    done
    round=$((round + 1))
done
# The timed image's rounds, apart: its marks and its own table cost time of their own.
: >"$work/times.txt"
round=1
while [ "$round" -le "$rounds" ]; do
    measure timed timed "$timed_exe" "$standins"
    round=$((round + 1))
done
rm -rf "$WINEPREFIX"

# --- Reporting ------------------------------------------------------------------------------

# "median (min–max)" of one column of figures.txt for kind (2: first window, 3: install,
# 4: peak, 5: peak at the first page, 6: empty process).
figure() {
    awk -v k="$1" -v c="$2" '$1 == k { print $c }' "$work/figures.txt" | sort -n | awk '
        { v[NR] = $1 }
        END {
            if (NR == 0 || v[1] == "-") { print "n/a"; exit }
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%s (%s–%s)\n", m, v[1], v[NR]
        }'
}
median() { figure "$1" "$2" | sed 's/ .*//'; }
verdict() { case $1 in *n/a*) echo "n/a" ;; *) awk "BEGIN { print ($1) ? \"met\" : \"missed\" }" ;; esac; }
bytes() { if [ -f "$1" ]; then wc -c <"$1" | tr -d ' '; else echo n/a; fi; }
ratio() { case $1$2 in *n/a*) echo "n/a" ;; *) awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }' ;; esac; }
kib() { case $1 in n/a) echo n/a ;; *) awk -v b="$1" 'BEGIN { printf "%d (%.0f KiB)", b, b / 1024 }' ;; esac; }

payload=0
for file in PalvorneLV.exe Uninstall.exe Mpegdll.dll Run.exe PLVCPL.cpl; do
    payload=$((payload + $(bytes "$standins/$file")))
done
peer_size=$(bytes "$work/peer.exe")
lzma_size=$(bytes "$work/peer-lzma.exe")
setup_code=$((setup_size - setup_blocks - setup_pictures))

sa=$(median setup 2) pa=$(median peer 2) wa=$(median window 2)
sb=$(median setup 3) pb=$(median peer 3) fb=$(median floor 3)
sd=$(median setup 4) pd=$(median peer 4)

cat <<EOF
Made by \`$command_line\` on $(date -u +%Y-%m-%d): $rounds rounds, $(wine --version 2>/dev/null) under Xvfb (1024x768x24), $(nproc) cores.

| Figure | Setup | Peer (makensis, default zlib) | Peer (makensis, solid LZMA) | Floor | Target for Setup | Result |
|---|---|---|---|---|---|---|
| (a) total bytes of the installer | $(kib "$setup_size") | $(kib "$peer_size") | $(kib "$lzma_size") | n/a | at most 0.7 × the solid-LZMA peer | $(verdict "$setup_size <= 0.7 * $lzma_size") ($(ratio "$setup_size" "$lzma_size") ×) |
| (b) process start to first visible window, ms | $(figure setup 2) | $(figure peer 2) | $(figure lzma 2) | $(figure window 2) (empty full-screen window) | at most 1.2 × the empty window, no slower than the peer | $(verdict "$sa <= 1.2 * $wa") ($(ratio "$sa" "$wa") × floor); against the peer: $(verdict "$sa <= $pa") |
| (c) install work, from its start to the runner's process, ms | $(figure setup 3) | $(figure peer 3) | $(figure lzma 3) | $(figure floor 3) | at most 1.25 × floor and no slower than the peer | $(verdict "$sb <= 1.25 * $fb") ($(ratio "$sb" "$fb") × floor); against the peer: $(verdict "$sb <= $pb") |
| (d) peak working set of the installer at its last window, KiB | $(figure setup 4) | $(figure peer 4) | $(figure lzma 4) | $(figure floor 4) | no more than the peer | $(verdict "$sd <= $pd") |
| peak working set when the first page is up, KiB | $(figure setup 5) | $(figure peer 5) | $(figure lzma 5) | n/a | (context) | |
| start and exit of an empty console process, ms | $(figure setup 6) | $(figure peer 6) | $(figure lzma 6) | $(figure floor 6) | (context) | |

Ratios: first page $(ratio "$sa" "$wa") × the empty window (target 1.2), install work $(ratio "$sb" "$fb") × the floor (target 1.25).

Setup.exe's $setup_size bytes: code, data and headers $(kib "$setup_code"), pictures $(kib "$setup_pictures") stored, payload $(kib "$setup_blocks") stored (the five files are $payload bytes unpacked). Both peers carry the same five files and the same three pictures, shown on a full-screen background window.
EOF

# Where Setup's time goes: each phase of the timed image's rounds as "median (min–max)" of its
# length and the median moment it ends, in the order the phases come.
phase() { # part phase column
    awk -F'\t' -v p="$1" -v f="$2" -v c="$3" '$1 == p && $2 == f { print $c }' "$work/times.txt" |
        sort -n | awk -v range="${4:-}" '
        { v[NR] = $1 }
        END {
            if (NR == 0 || v[1] == "-") { print "–"; exit }
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            if (range) printf "%.1f (%s–%s)\n", m, v[1], v[NR]; else printf "%.1f\n", m
        }'
}
echo
echo "Where Setup's time goes: its timed image (the same sources with timing marks), medians of $rounds rounds apart from the figures above, ms. The start-up counts from CreateProcess, the install from the Alt+I that starts it; a phase's \"ends at\" is that moment."
echo
echo "| Part | Phase | ms | ends at |"
echo "|---|---|---|---|"
cut -f1,2 "$work/times.txt" | awk '!seen[$0]++' | while IFS='	' read -r part name; do
    echo "| $part | $name | $(phase "$part" "$name" 4 1) | $(phase "$part" "$name" 3) |"
done
