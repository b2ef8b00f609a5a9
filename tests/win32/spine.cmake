setup_add_gtest(spine_win32_tests
    SOURCES Win32RegistryTest.cpp ApplicationTest.cpp ${CMAKE_SOURCE_DIR}/setup/Application.cpp
    LIBS setup_win32 setup_core shlwapi)
