# Linked with Setup.exe's resources, so the controls show the program's own icons.
setup_add_gtest(filectrl_win32_tests SHOWS_WINDOWS
    SOURCES FileCtrlWindowsTest.cpp
    LIBS setup_pages setup_win32 setup_resources)
