target_sources(setup_core PRIVATE
    DefaultConfiguration.cpp
    PayloadCatalogue.cpp
    ProcessTerminator.cpp
    SafeFile.cpp)
