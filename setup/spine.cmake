if(SETUP_PRODUCT_ONLY)
    add_executable(Setup WIN32 Main.cpp Program.cpp Application.cpp DllSafety.cpp LeanRuntime.cpp Setup.rc)
    set_source_files_properties(Setup.rc PROPERTIES
        OBJECT_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/Setup.exe.manifest;${CMAKE_CURRENT_SOURCE_DIR}/Setup.ico")
    target_link_libraries(Setup PRIVATE setup_pages setup_win32 setup_core setup_resources)
    # Only what runs: unused code and symbols, and the relocations an EXE loaded at its
    # preferred base never needs, stay out of the image. The map shows what each part costs.
    target_compile_options(Setup PRIVATE -ffunction-sections -fdata-sections)
    target_link_options(Setup PRIVATE -Wl,--gc-sections -s -Wl,--disable-reloc-section
                        -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/Setup.map)
    # Signed when the build is given a certificate and key; its checksum published beside it.
    add_custom_command(TARGET Setup POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DIMAGE=$<TARGET_FILE:Setup> -DCERT=${SETUP_SIGN_CERT}
                -DKEY=${SETUP_SIGN_KEY} -DPASSWORD_FILE=${SETUP_SIGN_PASSWORD_FILE}
                -DTIMESTAMP=${SETUP_SIGN_TIMESTAMP} -P ${CMAKE_SOURCE_DIR}/cmake/FinishImage.cmake
        VERBATIM)
endif()
