# Installing linkshelf-cli as a tool of its platform, and its Debian package
# (`cmake --build build/native --target package`).
include(GNUInstallDirs)

set(LINKSHELF_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/linkshelf)
install(TARGETS linkshelf-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
configure_file(cli/linkshelf-cli.1.in ${CMAKE_BINARY_DIR}/linkshelf-cli.1 @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linkshelf-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES cli/linkshelf-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME linkshelf-cli)
install(FILES README.md docs/copyright DESTINATION ${LINKSHELF_DOC_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linkshelf-cli)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Linkshelf team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Favorites folder to one bookmark page and back")
# CPack puts the summary first and indents this text below it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "linkshelf-cli turns a tree of Internet-shortcut files (*.url) into one bookmark page, and turns such a page back into a tree of shortcut files. It is the command-line form of the Linkshelf window program.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Linkshelf team <linkshelf@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
