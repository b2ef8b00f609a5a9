# Sourced by the Wine scripts: quiet, prompt-free Wine that touches nothing of the host's.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# set_dpi <dpi>: the screen's pixels per inch in the prefix of WINEPREFIX, as the display
# settings' font size sets it (96 normal, 120 Large Fonts, 144); programs started afterwards
# see it.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
