# cpack -G DEB: a Debian package whose library dependencies come from dpkg-shlibdeps. The
# toolkit's platform plugins live in a package of their own that no library links to, so it
# is named explicitly: without it the program cannot open a window.
include(GNUInstallDirs)
install(TARGETS brimvault RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brimvault)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher for Doom Legacy and other Doom engine games")
set(CPACK_PACKAGE_CONTACT "Brimvault developers <developers@brimvault.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
