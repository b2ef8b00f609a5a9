# Cross toolchain of the test programs: posix threads, for the std::mutex GoogleTest needs.
set(SETUP_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-common.cmake)
