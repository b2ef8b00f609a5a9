target_sources(setup_core PRIVATE Gauge.cpp)

if(WIN32)
    # Built, not run by CTest: prints the mean time of one paint of the progress page's gauge.
    add_executable(gauge_benchmark ${CMAKE_SOURCE_DIR}/benchmarks/gauge_paint.cpp)
    target_link_libraries(gauge_benchmark PRIVATE setup_win32 setup_fakes)
    target_link_options(gauge_benchmark PRIVATE -mconsole)
endif()
