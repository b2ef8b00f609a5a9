setup_add_gtest(gauge_tests
    SOURCES GaugeTest.cpp RecordingCanvasTest.cpp
    LIBS setup_fakes)
