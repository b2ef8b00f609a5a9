setup_add_gtest(gauge_pixel_tests
    SOURCES GaugePixelTest.cpp
    LIBS setup_win32 setup_fakes)
