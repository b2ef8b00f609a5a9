setup_add_gtest(engine_tests
    SOURCES
        DefaultConfigurationTest.cpp
        PalvorneCompTest.cpp
        PayloadCatalogueTest.cpp
        ProcessTerminatorTest.cpp
    LIBS setup_fakes)
