#!/bin/sh
# check-imports.sh <Setup.exe>: the image is a 32-bit GUI program for subsystem 4.0 or later
# that imports system DLLs only.
set -eu
dump=$(i686-w64-mingw32-objdump -p "$1")
fail=0
printf '%s\n' "$dump" | grep -q 'Magic.*010b' || { echo "not a 32-bit image"; fail=1; }
printf '%s\n' "$dump" | grep -q 'Subsystem.*00000002' || { echo "not a GUI program"; fail=1; }
printf '%s\n' "$dump" | grep -q 'MajorSubsystemVersion.*4$' || { echo "subsystem version is not 4"; fail=1; }
system="kernel32.dll user32.dll gdi32.dll advapi32.dll ole32.dll shell32.dll comctl32.dll msvcrt.dll mpr.dll msimg32.dll"
for dll in $(printf '%s\n' "$dump" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case " $system " in
    *" $dll "*) echo "imports $dll" ;;
    *) echo "imports $dll, which is not a system DLL"; fail=1 ;;
    esac
done
exit $fail
