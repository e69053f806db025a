# The Debian package: `cmake --build build --target package` puts pemu_<version>_<arch>.deb
# into the build folder. The library dependencies are computed by dpkg-shlibdeps from the
# binaries, never listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pemu)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pemu")
set(CPACK_PACKAGE_CONTACT "Pemu developers <pemu@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese business desk calculator with a check tape")
set(CPACK_PACKAGE_DESCRIPTION
    "Pemu behaves like a Japanese business desk calculator: round and decimal selectors, \
SHARP and CASIO key logic, memory, grand total, answer check and tax keys. Every step is \
written on a check tape; a calculation keyed twice has its agreeing lines marked. A formula \
window evaluates expressions with functions to 100 digits; all arithmetic is exact decimal \
arithmetic.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Japanese fonts the face and the windows are drawn with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
