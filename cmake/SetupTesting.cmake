# GoogleTest for both builds: the system's on the host, Debian's sources in the cross build.
if(WIN32)
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT TARGET GTest::gtest) # newer googletest sources define the aliases themselves
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The double-byte code pages of Japanese, Simplified Chinese, Korean and Traditional Chinese
# Windows, and for each the Unix locale under which Wine gives it as the ANSI code page;
# scripts/wine-session.sh makes a template prefix under each (scripts/wine-env.sh lists them).
set(SETUP_DOUBLE_BYTE_CODE_PAGES 932 936 949 950)
set(SETUP_LOCALE_932 ja_JP.UTF-8)
set(SETUP_LOCALE_936 zh_CN.UTF-8)
set(SETUP_LOCALE_949 ko_KR.UTF-8)
set(SETUP_LOCALE_950 zh_TW.UTF-8)

# setup_add_gtest(<target> [SHOWS_WINDOWS] SOURCES <files...> LIBS <libs...>)
# One test program; CTest runs each of its cases as its own process
# (through Wine in the cross build). SHOWS_WINDOWS: its cases put windows on the screen, so
# they take turns with the end-to-end cases, which type at the window in front.
function(setup_add_gtest target)
    cmake_parse_arguments(ARG "SHOWS_WINDOWS" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
    if(WIN32)
        target_link_options(${target} PRIVATE -mconsole)
    endif()
    gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} TEST_PREFIX "${target}." TEST_LIST tests)
    if(WIN32)
        set_tests_properties(${tests} PROPERTIES
            ENVIRONMENT "WINEPREFIX=${SETUP_WINE_DIR}/unit")
        if(ARG_SHOWS_WINDOWS)
            set_tests_properties(${tests} PROPERTIES RESOURCE_LOCK display)
        endif()
    endif()
endfunction()

# setup_add_e2e_case(<test name> <gtest filter> <Setup.exe> [<windows version>]
#                    [PROGRAM <test program>] [LOCALE <Unix locale>])
# One case of the end-to-end driver (or of another test program) in a fresh copy of a template
# Wine prefix (scripts/e2e-case.sh). With LOCALE, the template made and everything run under
# that locale, which sets Wine's ANSI code page (ja_JP.UTF-8: 932).
function(setup_add_e2e_case test filter setup_exe)
    cmake_parse_arguments(ARG "" "PROGRAM;LOCALE" "" ${ARGN})
    if(NOT ARG_PROGRAM)
        set(ARG_PROGRAM $<TARGET_FILE:e2e_tests>)
    endif()
    add_test(NAME ${test}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/e2e-case.sh ${SETUP_WINE_DIR} ${ARG_PROGRAM}
                     ${filter} ${setup_exe} ${ARG_UNPARSED_ARGUMENTS})
    # One keyboard and one screen: the cases take turns.
    set_tests_properties(${test} PROPERTIES TIMEOUT 180 RESOURCE_LOCK display)
    if(ARG_LOCALE)
        set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT SETUP_WINE_LOCALE=${ARG_LOCALE})
    endif()
endfunction()

# setup_add_e2e_cases(<name prefix> SOURCES <files...> [PROGRAM <test program>] [LOCALE <locale>])
# Every TEST of the sources as a case of its own, named <name prefix>.<suite>.<test>.
function(setup_add_e2e_cases prefix)
    cmake_parse_arguments(ARG "" "PROGRAM;LOCALE" "SOURCES" ${ARGN})
    set(options)
    foreach(option PROGRAM LOCALE)
        if(ARG_${option})
            list(APPEND options ${option} ${ARG_${option}})
        endif()
    endforeach()
    foreach(source IN LISTS ARG_SOURCES)
        file(STRINGS ${source} lines REGEX "^TEST(_F)?\\(")
        foreach(line IN LISTS lines)
            string(REGEX REPLACE "^TEST(_F)?\\(([A-Za-z0-9_]+), *([A-Za-z0-9_]+)\\).*" "\\2.\\3"
                                 name "${line}")
            setup_add_e2e_case(${prefix}.${name} ${name} ${SETUP_EXE} ${options})
        endforeach()
    endforeach()
endfunction()
