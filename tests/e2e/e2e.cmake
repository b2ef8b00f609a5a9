# The driver runs in the same Wine prefix as Setup.exe; each case gets a fresh copy of the
# template prefix (scripts/e2e-case.sh).
set(e2e_cases FlowTest.cpp InstallTest.cpp TourTest.cpp DllPlantingTest.cpp ChooserTest.cpp
    ProgressTest.cpp IdentityTest.cpp)
add_executable(e2e_tests Driver.cpp Walk.cpp ${CMAKE_SOURCE_DIR}/setup/DllSafety.cpp ${e2e_cases})
target_link_libraries(e2e_tests PRIVATE setup_core GTest::gtest_main GTest::gtest ole32 uuid
                                        user32 gdi32 advapi32 shell32 version)
target_link_options(e2e_tests PRIVATE -mconsole)
# A DLL to plant under system names, and a program that shows planting works at all.
add_library(planted SHARED PlantedDll.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
add_executable(PlantProbe PlantProbe.cpp)
add_dependencies(e2e_tests Setup planted PlantProbe)

foreach(source IN LISTS e2e_cases)
    file(STRINGS ${source} lines REGEX "^TEST(_F)?\\(")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\2.\\3" name
                             "${line}")
        add_test(NAME e2e.${name}
                 COMMAND ${CMAKE_SOURCE_DIR}/scripts/e2e-case.sh ${SETUP_WINE_DIR}
                         $<TARGET_FILE:e2e_tests> ${name} $<TARGET_FILE:Setup>)
        # One keyboard and one screen: the cases take turns.
        set_tests_properties(e2e.${name} PROPERTIES TIMEOUT 180 RESOURCE_LOCK display)
    endforeach()
endforeach()
