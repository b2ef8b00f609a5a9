target_sources(setup_core PRIVATE StdGraphics.cpp)
