target_sources(setup_core PRIVATE
    DefaultConfiguration.cpp
    PathText.cpp
    PayloadCatalogue.cpp
    ProcessTerminator.cpp
    SafeFile.cpp)
