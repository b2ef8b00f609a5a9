#!/bin/sh
# Checks that every project include follows the allowed arrows between the source folders
# (the same arrows the libraries link along) and names each one that crosses a line:
#   scripts/check-includes.sh [source-root]
# Tests, benchmarks and payload may include anything and are not checked.
set -eu
root=${1:-$(dirname "$0")/..}
cd "$root"

# The folders a folder's files may include from, itself included.
allowed() {
    case $1 in
    codec) echo "codec" ;;
    runtime) echo "runtime" ;;
    base) echo "base codec" ;;
    stub) echo "base codec platform/win32 stub" ;;
    platform) echo "base platform" ;;
    platform/fake) echo "base platform platform/fake" ;;
    platform/win32) echo "base platform platform/win32 codec" ;;
    ui) echo "base platform ui" ;;
    ui/fake) echo "base platform ui ui/fake" ;;
    ui/win32) echo "base platform platform/win32 ui ui/win32" ;;
    install) echo "base platform install" ;;
    widgets) echo "base platform ui widgets" ;;
    widgets/win32) echo "base platform platform/win32 ui ui/win32 widgets widgets/win32" ;;
    pages) echo "base platform platform/win32 ui ui/win32 install widgets widgets/win32 pages" ;;
    app) echo "base codec platform platform/win32 ui ui/win32 install widgets widgets/win32 pages app" ;;
    esac
}

status=0
layers="codec runtime base stub platform platform/fake platform/win32 ui ui/fake ui/win32 install widgets widgets/win32 pages app"
for folder in $layers; do
    [ -d "$folder" ] || continue
    for file in "$folder"/*.h "$folder"/*.cpp; do
        [ -f "$file" ] || continue
        grep -n '^#include "' "$file" | while IFS= read -r line; do
            target=$(echo "$line" | sed 's/^[0-9]*:#include "\([^"]*\)".*/\1/')
            used=$(dirname "$target")
            ok=no
            for may in $(allowed "$folder"); do
                [ "$used" = "$may" ] && ok=yes
            done
            if [ $ok = no ]; then
                echo "$file:${line%%:*}: includes $target: $folder may not use $used"
                echo x >&3
            fi
        done 3>>"${TMPDIR:-/tmp}/check-includes.$$"
    done
done
if [ -s "${TMPDIR:-/tmp}/check-includes.$$" ]; then
    status=1
fi
rm -f "${TMPDIR:-/tmp}/check-includes.$$"
exit $status
