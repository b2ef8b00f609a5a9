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
