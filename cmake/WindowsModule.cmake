# The Windows side: the module DLL, and the programs that test, drive and time it under Wine.
#
# The module is built in a build of its own (build/windows/module), with its own toolchain, and lands
# in bin/ beside the programs, so each finds it next to itself. Its target here is "Zentharo".
include(ExternalProject)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(ZENTHARO_MODULE ${CMAKE_BINARY_DIR}/bin/Zentharo.dll)
# Made beside it for the tests: the module with its symbols kept, and the runtime probes.
set(ZENTHARO_MODULE_WITH_SYMBOLS ${CMAKE_BINARY_DIR}/bin/symbols/Zentharo.dll)
set(ZENTHARO_RUNTIME_PROBES ${CMAKE_BINARY_DIR}/bin/RuntimeProbe.dll ${CMAKE_BINARY_DIR}/bin/RuntimeProbeLargerHeader.dll
                            ${CMAKE_BINARY_DIR}/bin/RuntimeProbeSmallerHeader.dll)

ExternalProject_Add(Zentharo
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/module
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/MinGW-i686-module.cmake
        -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DZENTHARO_MODULE_ONLY=ON
        -DZENTHARO_STRIP=${ZENTHARO_STRIP}
        -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${CMAKE_BINARY_DIR}/bin
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON # its own build knows what changed
    BUILD_BYPRODUCTS ${ZENTHARO_MODULE} ${ZENTHARO_MODULE_WITH_SYMBOLS} ${ZENTHARO_RUNTIME_PROBES}
    USES_TERMINAL_BUILD ON
)

# The projection tool built for Windows: its output is compared with the native build's.
add_subdirectory(tools)

enable_testing()
add_subdirectory(tests/windows)
add_subdirectory(bench/wine)
add_subdirectory(host)
