target_sources(setup_core PRIVATE Crc32.cpp Lzma.cpp StoredBlock.cpp)
