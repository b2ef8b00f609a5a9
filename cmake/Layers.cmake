# setup_layer(<target> <folder>): the library's headers are <folder>/*.h. It and whatever links
# it see them as "<folder>/..." through an include folder of their own in the build tree, and
# nothing else of the source tree: an include of a layer that a library does not link fails to
# compile, a header with no code behind it as well as any other.
function(setup_layer target folder)
    set(root ${CMAKE_BINARY_DIR}/layers/${target})
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    file(REMOVE_RECURSE ${root})
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header IN LISTS headers)
        get_filename_component(name ${header} NAME)
        file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
endfunction()

# A layer's implementations of its interfaces: the fakes for the tests (none in the product
# build) and the Win32 ones (none in the host build).
function(setup_add_implementations)
    if(NOT SETUP_PRODUCT_ONLY)
        add_subdirectory(fake)
    endif()
    if(WIN32)
        add_subdirectory(win32)
    endif()
endfunction()
