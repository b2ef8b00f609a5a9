target_sources(setup_core PRIVATE PalvorneComp.cpp)
