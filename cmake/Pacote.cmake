# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build build --target
# package`) makes ventaro_<version>_<arch>.deb from the install rules of packaging/. The
# libraries the programs link are found by dpkg-shlibdeps; what it cannot see (Qt's platform and
# image plugins, loaded at run time) is listed here, with Debian 12's package names.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ventaro)
set(CPACK_PACKAGE_VENDOR "Ventaro")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Stochastic daily weather generator for Brazilian stations")
set(CPACK_PACKAGE_DESCRIPTION
    "Ventaro simulates daily synthetic weather series (rainfall, storm profiles, temperatures,
radiation, wind, humidity) from the monthly parameters of Brazilian rainfall and climatological
stations, compares them with the observed parameters, and saves them as text files for
hydrological and erosion models. It builds station parameters from INMET and ANA observations.
Includes the desktop program, the command line (ventaro-cli), the report writer
(ventaro-relatorio) and a sample station database.")
set(CPACK_PACKAGE_CONTACT "Ventaro <ventaro@example.org>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ventaro)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://ventaro.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's platform plugins (xcb for X11, wayland) are loaded, not linked. (The SVG icon engine is in
# libqt6svg6, which the charts link.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Portuguese texts of Qt's own dialogs, a font, and the opening of web addresses.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core, xdg-utils")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
