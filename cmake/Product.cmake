# Setup.exe and the stand-ins it carries come from a build of their own with the win32
# thread-model compiler (cmake/mingw-i686-win32.cmake); this build, whose test programs need
# the posix one, builds the same sources again for its tests and takes the product from there.
include(ExternalProject)
set(SETUP_PRODUCT_DIR ${CMAKE_BINARY_DIR}/product)
set(SETUP_EXE ${SETUP_PRODUCT_DIR}/app/Setup.exe)
set(SETUP_STANDIN_DIR ${SETUP_PRODUCT_DIR}/payload/standins)
# What both product builds are configured with.
set(SETUP_PRODUCT_ARGS -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-i686-win32.cmake
                       -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
                       -DSETUP_PRODUCT_ONLY=ON
                       -DSETUP_PAYLOAD_DIR=${SETUP_PAYLOAD_DIR})
ExternalProject_Add(product
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${SETUP_PRODUCT_DIR}
    CMAKE_ARGS ${SETUP_PRODUCT_ARGS}
               -DSETUP_SIGN_CERT=${SETUP_SIGN_CERT}
               -DSETUP_SIGN_KEY=${SETUP_SIGN_KEY}
               -DSETUP_SIGN_PASSWORD_FILE=${SETUP_SIGN_PASSWORD_FILE}
               -DSETUP_SIGN_TIMESTAMP=${SETUP_SIGN_TIMESTAMP}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${SETUP_PRODUCT_DIR} --target Setup runtime_test
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${SETUP_EXE} ${SETUP_STANDIN_DIR}/PalvorneLV.exe
                     ${SETUP_STANDIN_DIR}/Uninstall.exe ${SETUP_STANDIN_DIR}/Mpegdll.dll
                     ${SETUP_STANDIN_DIR}/Run.exe ${SETUP_STANDIN_DIR}/PLVCPL.cpl
                     ${SETUP_PRODUCT_DIR}/tests/runtime/runtime_test.exe
                     ${SETUP_PRODUCT_DIR}/payload/packed/PAYLOAD
    USES_TERMINAL_BUILD ON)

# The benchmark's image of Setup (benchmarks/run.sh): the same sources built again with the
# timing marks of base/Timing.h, in a build of its own so that nothing of them can reach
# Setup.exe. Made for the benchmark only.
set(SETUP_TIMED_DIR ${CMAKE_BINARY_DIR}/product-timed)
set(SETUP_TIMED_EXE ${SETUP_TIMED_DIR}/app/Setup.exe)
ExternalProject_Add(product_timed
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${SETUP_TIMED_DIR}
    CMAKE_ARGS ${SETUP_PRODUCT_ARGS} -DSETUP_TIMING=ON
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${SETUP_TIMED_DIR} --target Setup
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${SETUP_TIMED_EXE}
    EXCLUDE_FROM_ALL ON
    USES_TERMINAL_BUILD ON)
