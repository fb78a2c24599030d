# The Debian package: `cpack -G DEB` in a build folder makes
# tarvik_<version>_amd64.deb.
set(CPACK_PACKAGE_NAME tarvik)
set(CPACK_PACKAGE_VENDOR "Tarvik developers")
set(CPACK_PACKAGE_CONTACT "Tarvik developers <tarvik@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Calculator of the mass of rolled steel products")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Gives the mass of rebar, beams, bars, sheet, strip, profiled sheeting, mesh, round and profile "
    "pipe, angles and channels from a length or an area, and the length or area from a mass.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's fonts map to Liberation Sans; Qt's own texts (menus, buttons)
# come in the user's language from Qt's translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
