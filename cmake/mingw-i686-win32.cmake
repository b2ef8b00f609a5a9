# Cross toolchain of Setup.exe and what ships inside it: the win32 thread model, so that no
# threads runtime (and none of its Windows XP and Vista imports) is linked.
set(SETUP_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)
