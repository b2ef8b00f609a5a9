#!/bin/sh
# Installs the Debian packages the builds and the Wine test runs need.
# Does nothing when everything is already there; needs root otherwise.
set -eu

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for p in cmake g++ ninja-build python3 libgtest-dev googletest \
         g++-mingw-w64-i686 binutils-mingw-w64-i686 \
         wine wine32:i386 xvfb xauth imagemagick \
         fonts-wine fonts-liberation osslsigncode openssl python3 python3-pefile procps; do
    have "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages:$need" >&2
    echo "run this script as root (or install them) first" >&2
    exit 1
fi

case " $(dpkg --print-foreign-architectures) " in
*" i386 "*) ;;
*) dpkg --add-architecture i386 ;;
esac
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# shellcheck disable=SC2086
apt-get install -y -qq --no-install-recommends $need >/dev/null
