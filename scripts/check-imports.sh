#!/bin/sh
# check-imports.sh <exports-dir> <image...> [--c-runtime <image...>]: each image is a 32-bit
# GUI program or DLL for subsystem 4.0 that imports system DLLs only, every function it imports
# is exported by Windows 95 (<exports-dir>/<dll>.txt, one name a line), and none is one that
# Windows NT 4.0 lacks (<exports-dir>/nt4-absent.txt). msvcrt.dll is not part of Windows 95
# (it came with Internet Explorer 4 and Windows 98) and has no list: only the images after
# --c-runtime may import it. Imports that Windows 95/98 export only as failing stubs (W
# functions, MoveFileExA, GetHandleInformation) must be listed in <exports-dir>/stubs.txt with
# the reason the program copes.
set -eu
lists=$1
shift
fail=0
c_runtime=no
for image in "$@"; do
    if [ "$image" = --c-runtime ]; then
        c_runtime=yes
        continue
    fi
    name=$(basename "$image")
    dump=$(i686-w64-mingw32-objdump -p "$image")
    printf '%s\n' "$dump" | grep -q 'Magic.*010b' || { echo "$name: not a 32-bit image"; fail=1; }
    printf '%s\n' "$dump" | grep -q 'MajorSubsystemVersion.*4$' ||
        { echo "$name: subsystem version is not 4"; fail=1; }
    case $name in
    *.exe) printf '%s\n' "$dump" | grep -q 'Subsystem.*00000002' ||
        { echo "$name: not a GUI program"; fail=1; } ;;
    esac
    # "dll function" for every import, from the import tables only.
    imports=$(printf '%s\n' "$dump" | awk '
        /^The Import Tables/ { on = 1; next }
        /^The .* Tables/ { on = 0 }
        on && /DLL Name:/ { dll = tolower($3); sub(/\.dll$/, "", dll); next }
        on && dll != "" && NF == 3 && $2 ~ /^[0-9]+$/ { print dll, $3 }')
    [ -n "$imports" ] || { echo "$name: no import table found"; fail=1; }
    bad=$(printf '%s\n' "$imports" | awk -v lists="$lists" -v image="$name" -v crt=$c_runtime '
        BEGIN {
            while ((getline line < (lists "/stubs.txt")) > 0)
                if (line !~ /^#/) { sub(/:.*/, "", line); coped[line] = 1 }
            while ((getline line < (lists "/nt4-absent.txt")) > 0) absent[line] = 1
        }
        $1 == "msvcrt" && crt == "yes" { next }
        $1 == "msvcrt" && !said[$1]++ { printf "%s: imports the C runtime DLL msvcrt.dll, which Windows 95 does not have\n", image }
        $1 == "msvcrt" { next }
        $1 == "kernel32" && ($2 in absent) {
            printf "%s: imports %s from kernel32.dll, which Windows NT 4.0 does not export\n", image, $2
        }
        ($2 ~ /[a-z0-9]W$/ || $2 == "MoveFileExA" || $2 == "GetHandleInformation") && !($2 in coped) {
            printf "%s: imports %s, a failing stub on Windows 95/98, without a reason in stubs.txt\n", image, $2
        }
        {
            file = lists "/" $1 ".txt"
            if (!($1 in read)) {
                read[$1] = 1
                while ((getline line < file) > 0) exported[$1 " " line] = 1
                close(file)
            }
            if (!(($1 " " $2) in exported))
                printf "%s: imports %s from %s.dll, which Windows 95 does not export\n", image, $2, $1
        }')
    [ -z "$bad" ] || { printf '%s\n' "$bad"; fail=1; }
    [ $fail -ne 0 ] ||
        echo "$name: $(printf '%s\n' "$imports" | wc -l) imports, all found on Windows 95 and NT 4.0"
done
exit $fail
