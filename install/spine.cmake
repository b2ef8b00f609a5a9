target_sources(setup_core PRIVATE Registry.cpp InstallSequence.cpp)
