target_sources(setup_fakes PRIVATE FakeDrives.cpp)
