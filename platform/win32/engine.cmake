target_sources(setup_win32 PRIVATE
    Win32FileSystem.cpp
    Win32Processes.cpp
    StoredResources.cpp
    Win32Resources.cpp
    Win32ShellLinks.cpp
    Win32ErrorTexts.cpp)
