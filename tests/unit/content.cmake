# The stored-block decoder against vectors made by the standard encoder: generated inputs,
# the bitmaps, and real programs (this build's stand-ins, or the host's GoogleTest library).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(LZMA_VECTOR_DIR ${CMAKE_CURRENT_BINARY_DIR}/lzma_vectors)
set(lzma_vector_inputs ${CMAKE_SOURCE_DIR}/payload/bitmaps/LOGO.bmp
    ${CMAKE_SOURCE_DIR}/payload/bitmaps/BACKDROP.bmp ${CMAKE_SOURCE_DIR}/payload/bitmaps/RAM.bmp)
if(WIN32)
    list(APPEND lzma_vector_inputs ${SETUP_STANDIN_DIR}/Run.exe ${SETUP_STANDIN_DIR}/Mpegdll.dll)
    set(lzma_vector_depends product)
    set(lzma_vector_path "Z:${LZMA_VECTOR_DIR}") # as the test sees it under Wine
else()
    list(APPEND lzma_vector_inputs $<TARGET_FILE:GTest::gtest>)
    set(lzma_vector_path ${LZMA_VECTOR_DIR})
endif()
add_custom_command(OUTPUT ${LZMA_VECTOR_DIR}/cases.txt
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/make_lzma_vectors.py
            ${LZMA_VECTOR_DIR} ${lzma_vector_inputs}
    DEPENDS make_lzma_vectors.py ${CMAKE_SOURCE_DIR}/payload/pack_block.py
            ${lzma_vector_inputs} ${lzma_vector_depends}
    COMMENT "Making the decoder's test vectors")
add_custom_target(lzma_vectors DEPENDS ${LZMA_VECTOR_DIR}/cases.txt)

setup_add_gtest(content_tests SOURCES LzmaDecoderTest.cpp LIBS setup_core)
add_dependencies(content_tests lzma_vectors)
target_compile_definitions(content_tests PRIVATE LZMA_VECTOR_DIR="${lzma_vector_path}")
