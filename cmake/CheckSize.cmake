# cmake -DFILE=<file> -DLIMIT=<bytes> -P CheckSize.cmake
# Fails, naming the file's size and the limit, when the file is larger than the limit.
if(NOT EXISTS "${FILE}")
    message(FATAL_ERROR "${FILE} does not exist")
endif()
file(SIZE "${FILE}" size)
get_filename_component(name "${FILE}" NAME)
if(size GREATER LIMIT)
    message(FATAL_ERROR "${name} is ${size} bytes, more than the limit of ${LIMIT} bytes")
endif()
message(STATUS "${name} is ${size} bytes, within the limit of ${LIMIT} bytes")
