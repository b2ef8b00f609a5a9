target_sources(setup_core PRIVATE
    OwnerDrawList.cpp
    FolderPath.cpp
    DirectoryListBox.cpp
    DriveComboBox.cpp)
