# The driver runs in the same Wine prefix as Setup.exe; each case gets a fresh copy of the
# template prefix (scripts/e2e-case.sh).
add_executable(e2e_tests Driver.cpp FlowTest.cpp)
target_include_directories(e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(e2e_tests PRIVATE GTest::gtest_main GTest::gtest ole32 uuid user32 gdi32
                                        advapi32 shell32)
target_link_options(e2e_tests PRIVATE -mconsole)
add_dependencies(e2e_tests Setup)

function(setup_add_e2e_cases source)
    file(STRINGS ${source} lines REGEX "^TEST\\(")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^TEST\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\1.\\2" name
                             "${line}")
        add_test(NAME e2e.${name}
                 COMMAND ${CMAKE_SOURCE_DIR}/scripts/e2e-case.sh ${SETUP_WINE_DIR}
                         $<TARGET_FILE:e2e_tests> ${name} $<TARGET_FILE:Setup>)
        set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 120)
    endforeach()
endfunction()
setup_add_e2e_cases(${CMAKE_CURRENT_SOURCE_DIR}/FlowTest.cpp)
