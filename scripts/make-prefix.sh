#!/bin/sh
# make-prefix.sh <wine-dir> [<locale>]: makes <wine-dir>/template, a Wine prefix set up like the
# target machine, unless it is already there and newer than this script. With a Unix locale
# (ja_JP.UTF-8), makes <wine-dir>/template-<locale> under that locale instead, whose ANSI code
# page Wine then reports (932); run what uses it under the same locale (scripts/e2e-case.sh
# does with SETUP_WINE_LOCALE).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
dir=$1
locale=${2:-}
template="$dir/template${locale:+-$locale}"
if [ -n "$locale" ]; then
    export LANG="$locale" LC_ALL="$locale"
fi
if [ -f "$template/.ready" ] && [ "$template/.ready" -nt "$0" ]; then
    exit 0
fi
echo "preparing the Wine prefix $template ..."
rm -rf "$template" "$template.tmp"
mkdir -p "$dir"
export WINEPREFIX="$template.tmp"
wineboot -i >/dev/null 2>&1
wineserver -w

reg() { wine reg add "$@" /f >/dev/null 2>&1; }
# Windows 95/98 keep the Windows folder here; NT-family systems do not.
reg 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v systemroot /t REG_SZ /d 'C:\windows'
# No window manager under Xvfb: let Wine place the windows itself, and never wait on a
# crash dialog.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans'
wineserver -w

c="$WINEPREFIX/drive_c"
mkdir -p "$c/windows/system" "$c/Program Files"
# The user's Programs shell folder, as Wine records it.
shell='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
programs=$(wine reg query "$shell" /v Programs 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
[ -n "$programs" ] && mkdir -p "$(winepath -u "$programs" 2>/dev/null)"
# Stand-ins for the two boot screens that the install backs up.
printf 'BOOT SCREEN logos.sys\r\n' >"$c/windows/logos.sys"
printf 'BOOT SCREEN logow.sys\r\n' >"$c/windows/logow.sys"
# Wine's own faces, and a TrueType face with Arial's metrics.
cp /usr/share/wine/fonts/* "$c/windows/Fonts/"
cp /usr/share/fonts/truetype/liberation/*.ttf "$c/windows/Fonts/"

wineserver -k 2>/dev/null || true
touch "$WINEPREFIX/.ready"
mv "$WINEPREFIX" "$template"
