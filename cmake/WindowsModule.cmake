# The Windows side: the framework's window classes, the module DLL, and its tests under Wine.
enable_language(RC)

# The module, its tests and the demo host share one folder, so each finds the module beside it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_library(zentharo_framework STATIC
    framework/ModuleInstance.cpp
    framework/CWnd.cpp
    framework/CFont.cpp
    framework/CControl.cpp
    framework/CView.cpp
    framework/CFormView.cpp
    framework/CFrameWnd.cpp
    framework/CMDIChildWnd.cpp
    framework/CMultiDocTemplate.cpp
    framework/KeyboardRouter.cpp
    framework/CWinApp.cpp
    framework/RegistryKey.cpp
)
target_link_libraries(zentharo_framework PUBLIC zentharo_core user32 gdi32 advapi32)

add_library(Zentharo SHARED
    plugin/EntryPoints.cpp
    plugin/CZentharoApp.cpp
    plugin/RuntimeRelease.cpp
    window/CZentharoFrame.cpp
    window/CZentharoForm.cpp
    resources/Zentharo.rc
    plugin/Zentharo.def
)
set_target_properties(Zentharo PROPERTIES PREFIX "" OUTPUT_NAME "Zentharo")
target_link_libraries(Zentharo PRIVATE zentharo_framework)
target_link_options(Zentharo PRIVATE -Wl,--enable-stdcall-fixup -s)
set_source_files_properties(resources/Zentharo.rc PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/resources/Zentharo.ico)
target_include_directories(Zentharo PRIVATE ${PROJECT_SOURCE_DIR})

# The projection tool built for Windows: its output is compared with the native build's.
add_subdirectory(tools)

enable_testing()
add_subdirectory(tests/windows)
add_subdirectory(bench/wine)
add_subdirectory(host)
