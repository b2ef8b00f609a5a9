target_sources(setup_win32 PRIVATE GdiCanvas.cpp)
