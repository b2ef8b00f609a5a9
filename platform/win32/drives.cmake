target_sources(setup_win32 PRIVATE Win32Drives.cpp)
