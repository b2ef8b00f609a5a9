target_sources(setup_core PRIVATE FxObject.cpp FxCaption.cpp FxBevel.cpp EffectText.cpp FxLabel.cpp)
