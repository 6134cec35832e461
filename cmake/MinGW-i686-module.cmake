# The module's toolchain: MinGW-w64 for 32-bit Windows with the Win32 thread model (see MinGW-i686.cmake).
set(ZENTHARO_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW-i686.cmake)
