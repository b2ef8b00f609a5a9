# Sourced by the Wine scripts: quiet, prompt-free Wine that touches nothing of the host's.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The Unix locales under which Wine gives the double-byte ANSI code pages of Japanese,
# Simplified Chinese, Korean and Traditional Chinese Windows (932, 936, 949, 950); the build
# lists them with their code pages too (cmake/SetupTesting.cmake).
double_byte_locales="ja_JP.UTF-8 zh_CN.UTF-8 ko_KR.UTF-8 zh_TW.UTF-8"

# set_dpi <dpi>: the screen's pixels per inch in the prefix of WINEPREFIX, as the display
# settings' font size sets it (96 normal, 120 Large Fonts, 144); programs started afterwards
# see it.
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        </dev/null >/dev/null 2>&1
}
