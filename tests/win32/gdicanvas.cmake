setup_add_gtest(gdi_canvas_tests
    SOURCES GdiCanvasTest.cpp
    LIBS setup_win32)
