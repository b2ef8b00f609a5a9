#!/bin/sh
# check-reproducible.sh <source-dir> <product-build-dir> <work-dir>: builds Setup.exe and the
# stand-ins again from a copy of the sources in another folder, at another time, signed with
# a throw-away certificate made here, then checks that
#  - the signature verifies against that certificate,
#  - with the signature removed, every image is byte for byte the one of the first build
#    (a difference is reported with the section it falls in).
# Leaves the signed Setup.exe as <work-dir>/Setup.signed.exe for the tests that run it.
set -eu
source_dir=$(cd "$1" && pwd)
first=$(cd "$2" && pwd)
work=$(mkdir -p "$3" && cd "$3" && pwd)

rm -rf "$work/src" "$work/build" "$work/signer"
mkdir -p "$work/src" "$work/signer"
# The sources as committed or changed, without any build tree.
(cd "$source_dir" && tar --exclude=./build --exclude=./.git -cf - .) | (cd "$work/src" && tar -xf -)

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Throw-away Setup Test Signer" \
    -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
    -keyout "$work/signer/key.pem" -out "$work/signer/cert.pem" 2>/dev/null

cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/src/cmake/mingw-i686-win32.cmake" \
    -DCMAKE_BUILD_TYPE="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$first/CMakeCache.txt")" \
    -DSETUP_PRODUCT_ONLY=ON \
    -DSETUP_SIGN_CERT="$work/signer/cert.pem" -DSETUP_SIGN_KEY="$work/signer/key.pem" >/dev/null
cmake --build "$work/build" --target Setup >/dev/null

signed="$work/build/app/Setup.exe"
osslsigncode verify -CAfile "$work/signer/cert.pem" -in "$signed" >"$work/verify.txt" 2>&1 ||
    { cat "$work/verify.txt"; echo "the signature of $signed does not verify"; exit 1; }
echo "Setup.exe is signed and its signature verifies"
cp "$signed" "$work/Setup.signed.exe"
[ "$(sha256sum "$signed" | cut -d' ' -f1)  Setup.exe" = "$(cat "$signed.sha256")" ] ||
    { echo "Setup.exe.sha256 does not hold the signed image's checksum"; exit 1; }
rm -f "$work/Setup.unsigned.exe"
osslsigncode remove-signature -in "$signed" -out "$work/Setup.unsigned.exe" >/dev/null

# Names the section (or the headers) that holds the first differing byte.
where() {
    offset=$(cmp "$1" "$2" 2>&1 | sed -n 's/.* byte \([0-9]*\).*/\1/p')
    [ -n "$offset" ] || { echo "one is a prefix of the other"; return; }
    at=$((offset - 1))
    section="the headers"
    i686-w64-mingw32-objdump -h "$1" >"$work/sections.txt"
    while read -r index name size _ _ start _; do
        case $index in *[!0-9]* | '') continue ;; esac
        if [ "$at" -ge $((0x$start)) ] && [ "$at" -lt $((0x$start + 0x$size)) ]; then
            section=$name
        fi
    done <"$work/sections.txt"
    echo "first difference at byte $at, in $section"
}

fail=0
compare() {
    if cmp -s "$1" "$2"; then
        echo "$3: identical"
    else
        echo "$3: differs, $(where "$1" "$2")"
        fail=1
    fi
}
compare "$first/app/Setup.exe" "$work/Setup.unsigned.exe" Setup.exe
for file in PalvorneLV.exe Uninstall.exe Mpegdll.dll Run.exe PLVCPL.cpl; do
    [ -f "$first/payload/standins/$file" ] || continue
    compare "$first/payload/standins/$file" "$work/build/payload/standins/$file" "$file"
done
exit $fail
