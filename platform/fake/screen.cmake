target_sources(setup_fakes PRIVATE FakeScreen.cpp)
