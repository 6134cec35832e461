# Every form of the version, made from the project version (MAJOR.MINOR.PATCH.TWEAK, written once in
# the top CMakeLists.txt) into the generated header ZentharoVersion.h:
#
#   ZENTHARO_VERSION          "0.0.0.1"     zentharo --version, zentharo-host --version, package names
#   ZENTHARO_VERSION_NUMBERS  0,0,0,1       the version resource's FILEVERSION and PRODUCTVERSION
#   ZENTHARO_VERSION_RC_TEXT  "0, 0, 0, 1"  its FileVersion and ProductVersion strings
#   ZENTHARO_ABOUT_VERSION    "v1.00"       the Version the module's About record reports
#
# The About record shows the release number (TWEAK) and its patch level (PATCH, two digits):
# 0.0.0.1 is "v1.00", 0.0.1.1 would be "v1.01", 0.0.0.2 "v2.00". It has no room for MAJOR and MINOR,
# so a version that sets them stops here rather than report two releases under one name.
#
# The module is built in a build of its own from the same source tree: it runs the same project()
# line and this file, so it cannot disagree with the programs and the packages.
foreach(part MAJOR MINOR PATCH TWEAK)
    if("${PROJECT_VERSION_${part}}" STREQUAL "")
        message(FATAL_ERROR "The project version needs four parts, MAJOR.MINOR.PATCH.TWEAK: ${PROJECT_VERSION}")
    endif()
endforeach()
if(NOT PROJECT_VERSION_MAJOR EQUAL 0 OR NOT PROJECT_VERSION_MINOR EQUAL 0 OR PROJECT_VERSION_PATCH GREATER 99)
    message(FATAL_ERROR "The About record shows a version as vTWEAK.PATCH (two digits); ${PROJECT_VERSION} does "
                        "not fit. Choose how it should read in cmake/Version.cmake.")
endif()

set(ZENTHARO_VERSION ${PROJECT_VERSION})
set(ZENTHARO_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${PROJECT_VERSION_TWEAK}")
set(ZENTHARO_VERSION_RC_TEXT
    "${PROJECT_VERSION_MAJOR}, ${PROJECT_VERSION_MINOR}, ${PROJECT_VERSION_PATCH}, ${PROJECT_VERSION_TWEAK}")
if(PROJECT_VERSION_PATCH LESS 10)
    set(ZENTHARO_ABOUT_VERSION "v${PROJECT_VERSION_TWEAK}.0${PROJECT_VERSION_PATCH}")
else()
    set(ZENTHARO_ABOUT_VERSION "v${PROJECT_VERSION_TWEAK}.${PROJECT_VERSION_PATCH}")
endif()

set(ZENTHARO_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ZentharoVersion.h.in ${ZENTHARO_GENERATED_DIR}/ZentharoVersion.h @ONLY)
