# The module itself, Zentharo.dll: the framework's window side, the entry points, the projection
# window and the resources. Built by its own toolchain (MinGW-i686-module.cmake); see WindowsModule.cmake.
enable_language(RC)

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
    framework/Clipboard.cpp
    framework/CWinApp.cpp
    framework/RegistryKey.cpp
    framework/WindowClasses.cpp
    framework/WindowText.cpp
)
target_link_libraries(zentharo_framework PUBLIC zentharo_core user32 gdi32 advapi32)

add_library(Zentharo SHARED
    plugin/EntryPoints.cpp
    plugin/CZentharoApp.cpp
    plugin/ModuleRuntime.cpp
    plugin/UnwindTables.cpp
    plugin/ThreadStorage.cpp
    plugin/ExceptionMemory.cpp
    window/CZentharoFrame.cpp
    window/CZentharoForm.cpp
    window/ProjectionCommands.cpp
    resources/Zentharo.rc
    plugin/Zentharo.def
)
set_target_properties(Zentharo PROPERTIES PREFIX "" OUTPUT_NAME "Zentharo")
target_link_libraries(Zentharo PRIVATE zentharo_framework)
target_link_options(Zentharo PRIVATE -Wl,--enable-stdcall-fixup -s)
# The resource compiler reports no included files to the build: name what the script reads.
set_source_files_properties(resources/Zentharo.rc PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/Zentharo.ico;${PROJECT_SOURCE_DIR}/resources/resource.h;${ZENTHARO_GENERATED_DIR}/ZentharoVersion.h")
target_include_directories(Zentharo PRIVATE ${PROJECT_SOURCE_DIR})
