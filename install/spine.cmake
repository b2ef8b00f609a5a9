target_sources(setup_core PRIVATE InstallSequence.cpp)
