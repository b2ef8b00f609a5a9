# The driver runs in the same Wine prefix as Setup.exe; each case gets a fresh copy of the
# template prefix (scripts/e2e-case.sh).
set(e2e_cases FlowTest.cpp InstallTest.cpp TourTest.cpp DllPlantingTest.cpp ChooserTest.cpp
    ProgressTest.cpp IdentityTest.cpp DamagedTest.cpp)
add_executable(e2e_tests Driver.cpp Walk.cpp ${CMAKE_SOURCE_DIR}/setup/DllSafety.cpp ${e2e_cases})
target_link_libraries(e2e_tests PRIVATE setup_core GTest::gtest_main GTest::gtest ole32 uuid
                                        user32 gdi32 advapi32 shell32 version)
target_link_options(e2e_tests PRIVATE -mconsole)
# A DLL to plant under system names, and a program that shows planting works at all.
add_library(planted SHARED PlantedDll.cpp)
set_target_properties(planted PROPERTIES PREFIX "")
add_executable(PlantProbe PlantProbe.cpp)
add_dependencies(e2e_tests product planted PlantProbe)

# setup_add_e2e_case(<test name> <gtest filter> <Setup.exe> [<windows version>])
function(setup_add_e2e_case test filter setup_exe)
    add_test(NAME ${test}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/e2e-case.sh ${SETUP_WINE_DIR}
                     $<TARGET_FILE:e2e_tests> ${filter} ${setup_exe} ${ARGN})
    # One keyboard and one screen: the cases take turns.
    set_tests_properties(${test} PROPERTIES TIMEOUT 180 RESOURCE_LOCK display)
endfunction()

foreach(source IN LISTS e2e_cases)
    file(STRINGS ${source} lines REGEX "^TEST(_F)?\\(")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\2.\\3" name
                             "${line}")
        setup_add_e2e_case(e2e.${name} ${name} ${SETUP_EXE})
    endforeach()
endforeach()

# The cases whose paths depend on the Windows version also run with the prefix reporting
# Windows 98 and Windows XP.
foreach(version win98 winxp)
    foreach(name Install.DefaultInstallLeavesEveryFileValueShortcutAndAHiddenRunner
                 Install.SecondInstallOverwritesEverythingAndKeepsTheFirstBackups
                 DllPlanting.SetupLoadsNoDllFromItsOwnFolder)
        setup_add_e2e_case(e2e.${version}.${name} ${name} ${SETUP_EXE} ${version})
    endforeach()
endforeach()
