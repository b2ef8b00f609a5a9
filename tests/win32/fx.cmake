setup_add_gtest(fx_win32_tests
    SOURCES FxLabelPixelTest.cpp
    LIBS setup_win32)
