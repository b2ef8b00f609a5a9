target_sources(setup_core PRIVATE ProgressRules.cpp)
