setup_add_gtest(fx_tests
    SOURCES
        EffectTextTest.cpp
        FxEffectTest.cpp
        FxLabelTest.cpp
    LIBS setup_fakes)
