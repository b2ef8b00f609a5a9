add_executable(Setup WIN32 Main.cpp Application.cpp)
target_link_libraries(Setup PRIVATE setup_pages setup_win32 setup_core setup_resources)
set_target_properties(Setup PROPERTIES OUTPUT_NAME Setup)
