# The packages, made by CPack through the build's "package" target (scripts/package runs both):
#   the Windows build: Zentharo-VERSION-win32.zip, for players: the module, the demo host, the tool, the
#     sample games and planet, and README.txt;
#   the native build: zentharo_VERSION_ARCH.deb, the command-line tool with its man page and the sample
#     planet, depending on the shared libraries it links.
# Each build installs only its own component, so that nothing else with install rules (GoogleTest)
# ends up in a package. The file written to package.path names the package made, for the scripts.
set(CPACK_PACKAGE_VENDOR "Zentharo team")
set(CPACK_PACKAGE_VERSION ${ZENTHARO_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Projects a planet of a turn-based space-strategy game 20 turns ahead")
set(CPACK_STRIP_FILES ON)

if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    set(component windows)
    install(FILES ${ZENTHARO_MODULE} DESTINATION . COMPONENT ${component})
    install(TARGETS zentharo-host zentharo RUNTIME DESTINATION . COMPONENT ${component})
    install(FILES examples/alpha.game examples/beta.game examples/sample-planet.txt DESTINATION . COMPONENT ${component})
    # Windows line ends, so that every editor on Windows shows it as written.
    configure_file(packaging/README.txt.in ${CMAKE_BINARY_DIR}/package/README.txt @ONLY NEWLINE_STYLE CRLF)
    install(FILES ${CMAKE_BINARY_DIR}/package/README.txt DESTINATION . COMPONENT ${component})

    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME Zentharo)
    set(CPACK_PACKAGE_FILE_NAME Zentharo-${ZENTHARO_VERSION}-win32)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON) # unpacks into a folder of its own
    set(package ${CMAKE_BINARY_DIR}/${CPACK_PACKAGE_FILE_NAME}.zip)
else()
    set(component tool)
    # The man page is the tool's own --help and --version, so it cannot fall behind them.
    find_program(HELP2MAN help2man REQUIRED)
    set(man_page ${CMAKE_BINARY_DIR}/man/zentharo.1)
    add_custom_command(OUTPUT ${man_page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${HELP2MAN} --no-info --section=1 --source=Zentharo
                --name=${CPACK_PACKAGE_DESCRIPTION_SUMMARY} --output=${man_page} $<TARGET_FILE:zentharo>
        COMMAND gzip -9nf ${man_page}
        DEPENDS zentharo
        VERBATIM)
    add_custom_target(zentharo-man ALL DEPENDS ${man_page}.gz)
    install(TARGETS zentharo RUNTIME DESTINATION bin COMPONENT ${component})
    install(FILES ${man_page}.gz DESTINATION share/man/man1 COMPONENT ${component})
    install(FILES examples/sample-planet.txt DESTINATION share/doc/zentharo/examples COMPONENT ${component})

    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME zentharo)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    string(CONCAT CPACK_PACKAGE_DESCRIPTION
        "The command-line twin of the Zentharo projection window: it projects a planet record over 20 turns "
        "and prints the table as the window shows it (aligned, CSV or tab-separated) or the raw stored texts "
        "as JSON, after any deliveries, bombing, upgrades and productions given as --set edits.")
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zentharo team")
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE architecture OUTPUT_STRIP_TRAILING_WHITESPACE)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${architecture})
    set(CPACK_DEBIAN_FILE_NAME zentharo_${ZENTHARO_VERSION}_${architecture}.deb)
    set(package ${CMAKE_BINARY_DIR}/${CPACK_DEBIAN_FILE_NAME})
endif()

set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};${component};/")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
include(CPack)
file(WRITE ${CMAKE_BINARY_DIR}/package.path "${package}\n")
