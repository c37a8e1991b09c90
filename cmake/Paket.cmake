# A Debian package of this build: "cpack -G DEB" in the build folder writes
# vemla_<version>_<architecture>.deb, installed to /usr. Its dependencies are
# read from the libraries the program and the web module link (dpkg-shlibdeps,
# from dpkg-dev); those loaded only when first used are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vemla)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Vemla)
set(CPACK_PACKAGE_CONTACT "Vemla <info@vemla.de>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue of a collection of music CDs and records")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Vemla keeps a private collection of music CDs and records in one file: all\n"
  "entries with their details, sorting, search, an editable table of the whole\n"
  "collection, reports as text, HTML, DIF or spreadsheet workbook, and printing.\n"
  "The user interface is in German.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.vemla.de")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded when first needed (downloads, the spreadsheet export), so invisible to
# dpkg-shlibdeps; the German texts of Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85.0), libxlsxwriter4, qt6-translations-l10n")
# The spreadsheet export opens LibreOffice Calc; reading the CD in the drive loads
# libdiscid (without it the program says so and looks up by barcode or name).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "libreoffice-calc | libreoffice-calc-nogui, libdiscid0, fonts-liberation2, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
# Installed with DESTDIR into the package's tree and the prefix /usr, so that
# the menu entry names the program where the package puts it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)

if(TARGET test_installation)
  target_compile_definitions(test_installation PRIVATE VEMLA_CPACK="${CMAKE_CPACK_COMMAND}")
endif()
