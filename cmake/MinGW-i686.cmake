# Cross-compiling for 32-bit Windows with MinGW-w64.
#
# Two thread models of the same compiler are used. Test programs, the demo host and the tool take the
# POSIX one, since GoogleTest needs std::mutex. The module takes the Win32 one (MinGW-i686-module.cmake):
# its runtime takes locks without allocating, so the module can still throw, and report, a bad_alloc
# when memory has run out. Linked statically, neither adds a runtime DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

if(NOT DEFINED ZENTHARO_MINGW_THREADS)
    set(ZENTHARO_MINGW_THREADS posix)
endif()
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${ZENTHARO_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${ZENTHARO_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# SSE2 arithmetic rounds exactly as the native x86-64 build does; the x87 unit would not.
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
# No runtime DLLs of the compiler: the module and programs import only system libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
