add_executable(Setup WIN32 Main.cpp Application.cpp DllSafety.cpp Setup.rc)
set_source_files_properties(Setup.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/Setup.exe.manifest;${CMAKE_CURRENT_SOURCE_DIR}/Setup.ico")
target_link_libraries(Setup PRIVATE setup_pages setup_win32 setup_core setup_resources)
# Only what runs: unused code and symbols stay out of the image.
target_compile_options(Setup PRIVATE -ffunction-sections -fdata-sections)
target_link_options(Setup PRIVATE -Wl,--gc-sections -s)

add_test(NAME Setup.ImportsOnlySystemDlls
         COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Setup>)
