# Each area of the project lists its files in its own <area>.cmake beside the code;
# a directory's CMakeLists.txt only gathers them.
macro(setup_include_fragments)
    file(GLOB _fragments CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cmake)
    list(SORT _fragments)
    foreach(_fragment IN LISTS _fragments)
        include(${_fragment})
    endforeach()
endmacro()
