#!/bin/sh
# Checks that every project include follows the arrows between the source folders and names
# each one that crosses a line, and each arrow that no include takes (so they cannot pile up):
#   scripts/check-includes.sh <arrows-file> [source-root]
# The arrows file (written by the build from cmake/Layers.cmake) holds one line per folder,
# "folder: what it may include". Folders it does not name (tests, benchmarks, payload) may
# include anything.
set -eu
arrows=$(cat "$1")
root=${2:-$(dirname "$0")/..}
cd "$root"

crossings=0
folders=$(echo "$arrows" | cut -d: -f1)
for folder in $folders; do
    [ -d "$folder" ] || continue
    allowed=$(echo "$arrows" | grep "^$folder:" | cut -d: -f2)
    may="$folder $allowed"
    taken=" "
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -f "$file" ] || continue
        lines=$(grep -n '^#include "[^"]*/' "$file" || true)
        [ -n "$lines" ] || continue
        while IFS= read -r line; do
            target=$(echo "$line" | sed 's/^[0-9]*:#include "\([^"]*\)".*/\1/')
            used=$(dirname "$target")
            case " $may " in
            *" $used "*) taken="$taken$used " ;;
            *)
                echo "$file:${line%%:*}: includes $target: $folder may not use $used"
                crossings=$((crossings + 1))
                ;;
            esac
        done <<LINES
$lines
LINES
    done
    for used in $allowed; do
        case "$taken" in
        *" $used "*) ;;
        *)
            echo "$folder: may use $used, but no file of it does"
            crossings=$((crossings + 1))
            ;;
        esac
    done
done
[ "$crossings" -eq 0 ]
