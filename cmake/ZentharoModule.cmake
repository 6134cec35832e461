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

# The module's runtime support (see plugin/ModuleRuntime.h), which the runtime probes of the tests
# share.
set(ZENTHARO_RUNTIME_SOURCES
    plugin/ModuleRuntime.cpp
    plugin/UnwindTables.cpp
    plugin/ThreadStorage.cpp
    plugin/ThreadSlot.cpp
    plugin/ExceptionMemory.cpp
)

# The unwinder's __deregister_frame_info goes through UnwindTables, which keeps it from taking the
# unwinder's lock as the process exits.
set(ZENTHARO_RUNTIME_LINK_OPTIONS -Wl,--wrap=__deregister_frame_info)

# Compiled once, linked into the module as it ships and into the same module with its symbols kept.
add_library(zentharo_module_objects OBJECT
    plugin/EntryPoints.cpp
    plugin/CZentharoApp.cpp
    ${ZENTHARO_RUNTIME_SOURCES}
    window/CZentharoFrame.cpp
    window/CZentharoForm.cpp
    window/ProjectionCommands.cpp
    window/CZentharoChart.cpp
    window/ChartPainter.cpp
    resources/Zentharo.rc
)
target_link_libraries(zentharo_module_objects PUBLIC zentharo_framework)
target_include_directories(zentharo_module_objects PRIVATE ${PROJECT_SOURCE_DIR})
# The resource compiler reports no included files to the build: name what the script reads.
set_source_files_properties(resources/Zentharo.rc PROPERTIES
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/resources/Zentharo.ico;${PROJECT_SOURCE_DIR}/resources/resource.h;${ZENTHARO_GENERATED_DIR}/ZentharoVersion.h")

# zentharo_module(TARGET STRIP): the module's DLL from those objects, without its symbols when STRIP.
function(zentharo_module target strip)
    add_library(${target} SHARED $<TARGET_OBJECTS:zentharo_module_objects> plugin/Zentharo.def)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME "Zentharo")
    target_link_libraries(${target} PRIVATE zentharo_framework)
    target_link_options(${target} PRIVATE -Wl,--enable-stdcall-fixup ${ZENTHARO_RUNTIME_LINK_OPTIONS})
    if(strip)
        target_link_options(${target} PRIVATE -s)
    endif()
endfunction()

zentharo_module(Zentharo ${ZENTHARO_STRIP})

# For the tests: the module as a build with -DZENTHARO_STRIP=OFF makes it, in symbols/, and small
# modules made of the runtime support alone, which let a test look into it (tests/windows/runtime/).
zentharo_module(ZentharoWithSymbols OFF)
set_target_properties(ZentharoWithSymbols PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/symbols
                                                ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/symbols)

# zentharo_runtime_probe(NAME [DEFINITION...]): a probe built as the module is, with its flags.
function(zentharo_runtime_probe name)
    add_library(${name} SHARED tests/windows/runtime/RuntimeProbe.cpp ${ZENTHARO_RUNTIME_SOURCES} framework/ModuleInstance.cpp)
    set_target_properties(${name} PROPERTIES PREFIX "")
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -s ${ZENTHARO_RUNTIME_LINK_OPTIONS})
endfunction()

zentharo_runtime_probe(RuntimeProbe)
# Exception headers 16 bytes larger and smaller than the runtime's: each must be refused as it loads.
zentharo_runtime_probe(RuntimeProbeLargerHeader ZENTHARO_TEST_HEADER_SKEW=16)
zentharo_runtime_probe(RuntimeProbeSmallerHeader ZENTHARO_TEST_HEADER_SKEW=-16)
