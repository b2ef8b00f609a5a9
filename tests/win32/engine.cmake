# Links Setup.exe's own resources, so the resource test sees exactly what Setup.exe carries.
setup_add_gtest(engine_win32_tests
    SOURCES
        Win32FileSystemTest.cpp
        Win32ProcessesTest.cpp
        Win32ResourcesTest.cpp
        Win32ShellLinksTest.cpp
        PicturePixelTest.cpp
    LIBS setup_win32 setup_resources)
# The files the resources are made from, to compare with (Wine sees the host's / as Z:).
target_compile_definitions(engine_win32_tests PRIVATE
    SETUP_PAYLOAD_FOLDER="Z:${SETUP_PAYLOAD_SOURCE}"
    SETUP_BITMAP_FOLDER="Z:${CMAKE_SOURCE_DIR}/payload/bitmaps")
add_dependencies(engine_win32_tests product)
add_custom_command(TARGET engine_win32_tests POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${SETUP_STANDIN_RUN}
            $<TARGET_FILE_DIR:engine_win32_tests>/EngineTestRun.exe)
