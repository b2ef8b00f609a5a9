# Sourced by the Wine scripts: quiet, prompt-free Wine that touches nothing of the host's.
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
