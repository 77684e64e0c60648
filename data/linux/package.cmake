# The Debian package, built by `cpack -G DEB` in the build folder (scripts/package does it):
# build/kerla_<version>_<arch>.deb with everything that `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kerla)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}")
set(CPACK_PACKAGE_VENDOR "Kerla Dorny")
set(CPACK_PACKAGE_CONTACT "Kerla Dorny <kerla@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "daily Bible watchwords and readings in Czech")
set(CPACK_PACKAGE_DESCRIPTION
    "Kerla Dorny shows the watchword of the day with its teaching text, in Czech.
It steps through the calendar by day, week, month and year, opens the day's
three Bible readings in a reading window shaped like a sheet of paper, shows
the watchwords of the week, the month and the year, and prints the page.
Started at login, it shows the day's page once a day.
.
The sample data set is made from the Kralice Bible of 1613, a public-domain
text.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/kerla")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's libraries do not pull in the plugin that puts windows on a display.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
