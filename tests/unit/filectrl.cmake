setup_add_gtest(filectrl_tests
    SOURCES
        DirectoryListBoxTest.cpp
        DriveComboBoxTest.cpp
    LIBS setup_fakes)
