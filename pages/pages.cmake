if(WIN32)
    add_library(setup_pages STATIC ChooserControls.cpp Unit1.cpp Unit2.cpp Unit3.cpp Unit4.cpp Unit6.cpp)
    target_link_libraries(setup_pages PUBLIC setup_win32 setup_core)
endif()
