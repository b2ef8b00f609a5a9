# The arrows between the source folders, written once: "A: B C" lets A's files include the
# headers of B and C directly (and A's own); each arrow is taken by some include, which the
# include check holds. "windows" lets A include the system's own headers (<windows.h> and the
# rest of the Windows SDK): the Win32 rooms alone; the others may use the C and C++ standard
# headers and nothing else of the system's. The libraries link along these arrows; which headers a library
# sees through its links is the link lines' business. The configure step writes them to
# <build>/arrows.txt, which scripts/check-includes.sh reads.
set(SETUP_ARROWS
    "codec:"
    "runtime: windows"
    "base:"
    "base/win32: base windows"
    "stub: base codec windows"
    "win32: base codec windows"
    "platform: base"
    "platform/fake: base platform"
    "platform/win32: base platform codec win32 windows"
    "ui:"
    "ui/fake: ui"
    "ui/win32: base ui win32 windows"
    "install: base platform"
    "widgets: base ui platform"
    "widgets/win32: base widgets ui/win32 windows"
    "pages: base ui ui/win32 widgets widgets/win32 install platform"
    "app: base win32 platform/win32 ui/win32 install pages runtime windows"
    "driver: codec win32 windows")
list(JOIN SETUP_ARROWS "\n" arrows)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/arrows.txt CONTENT "${arrows}\n")

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
