target_sources(setup_fakes PRIVATE FakeRegistry.cpp)
