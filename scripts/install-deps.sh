#!/bin/sh
# Installs the Debian packages the builds and the Wine test runs need, and the Japanese, Chinese
# and Korean locales the double-byte code-page runs start Wine under. Does nothing when
# everything is already there; needs root otherwise.
set -eu
. "$(dirname "$0")/wine-env.sh"

need=""
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "missing: $1" >&2
        echo "run this script as root (or install them) first" >&2
        exit 1
    fi
}

for p in cmake g++ ninja-build python3 libgtest-dev googletest \
         g++-mingw-w64-i686 binutils-mingw-w64-i686 \
         wine wine32:i386 xvfb xauth imagemagick \
         fonts-wine fonts-liberation fonts-ipafont-gothic fonts-wqy-microhei locales \
         osslsigncode openssl python3 python3-pefile procps gcc-12-source; do
    have "$p" || need="$need $p"
done

if [ -n "$need" ]; then
    need_root "packages$need"
    case " $(dpkg --print-foreign-architectures) " in
    *" i386 "*) ;;
    *) dpkg --add-architecture i386 ;;
    esac
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $need >/dev/null
fi

# Wine takes its ANSI code page from the Unix locale: 932 needs ja_JP.UTF-8 to exist, and so on.
for locale in $double_byte_locales; do
    language=${locale%%.*}
    if ! locale -a 2>/dev/null | grep -qix "$language\.utf-\?8"; then
        need_root "the locale $locale"
        localedef -i "$language" -f UTF-8 "$locale"
    fi
done
