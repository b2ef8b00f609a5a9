setup_add_gtest(spine_tests
    SOURCES InstallSequenceTest.cpp RegistryTest.cpp ProgressRulesTest.cpp StdGraphicsTest.cpp
        FormatTest.cpp
    LIBS setup_fakes setup_core)
