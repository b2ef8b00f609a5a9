target_sources(setup_fakes PRIVATE RecordingCanvas.cpp)
