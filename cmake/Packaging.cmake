# cpack -G DEB: a Debian package whose library dependencies come from dpkg-shlibdeps. The
# toolkit's platform plugins live in a package of their own that no library links to, so it
# is named explicitly: without it the program cannot open a window.
#
# The section is not "games": Debian's checker wants the programs of that section in /usr/games,
# and the installed layout the program recognises is bin/ with share/brimvault beside it.
include(GNUInstallDirs)
install(TARGETS brimvault RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brimvault)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher for Doom Legacy and other Doom engine games")
set(CPACK_PACKAGE_DESCRIPTION
    "Brimvault is a launcher for the Doom Legacy engine and the other Doom engine
executables and bot builds. The settings of the next game are entered in one
window of eight panes, or typed as console commands; Brimvault then writes the
engine scripts, batch files and driver files into the game directory and
starts the game.

It also offers a console with its own command language, settings scripts,
colour themes, a setup wizard and a config file editor.")
set(CPACK_PACKAGE_CONTACT "Brimvault developers <developers@brimvault.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
