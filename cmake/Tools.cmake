# The build's Python (tools/) runs as modules of one package, with the source root on the path
# and no byte code written into the source tree.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
file(GLOB SETUP_TOOLS_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/*.py)

# setup_tool(<variable> <module> [<interpreter>]): the command that runs tools/<module>.py, with
# the interpreter given (default: the one CMake found).
function(setup_tool variable module)
    set(python ${Python3_EXECUTABLE})
    if(ARGC GREATER 2)
        set(python ${ARGV2})
    endif()
    set(${variable} ${CMAKE_COMMAND} -E env PYTHONPATH=${PROJECT_SOURCE_DIR} ${python} -B -m
                    tools.${module} PARENT_SCOPE)
endfunction()
