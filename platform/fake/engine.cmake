target_sources(setup_fakes PRIVATE
    FakeFileSystem.cpp
    FakeProcesses.cpp
    FakeResources.cpp
    FakeShellLinks.cpp)
