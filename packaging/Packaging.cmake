# The Debian package (scripts/package.sh): the software centre's file, the files Debian wants
# beside every package, the sample label, and CPack's settings.
include(GNUInstallDirs)

set(VT_MAINTAINER "Vellumtrace developers <packages@vellumtrace.org>"
    CACHE STRING "Who answers for the package")
# No licence has been published for the program yet: the package says so rather than guess one.
set(VT_PROJECT_LICENSE "LicenseRef-proprietary" CACHE STRING "The program's licence (SPDX)")
set(VT_LICENSE_TEXT "All rights reserved by the Vellumtrace developers."
    CACHE STRING "The licence's text for the copyright file (one paragraph)")
set(VT_SCREENSHOTS_URL "https://vellumtrace.org/screenshots"
    CACHE STRING "Where the software centre fetches packaging/screenshots from")

set(VT_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(VT_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

# Debian's changelog wants the date as RFC 2822; the release date is kept as ISO 8601.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _vt_date "${VT_RELEASE_DATE}")
if(NOT _vt_date)
  message(FATAL_ERROR "VT_RELEASE_DATE must be YYYY-MM-DD, not ${VT_RELEASE_DATE}")
endif()
execute_process(COMMAND date -u -R -d "${VT_RELEASE_DATE} 12:00:00 UTC"
                OUTPUT_VARIABLE VT_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE _vt_date_failed)
if(_vt_date_failed)
  message(FATAL_ERROR "Cannot write the release date ${VT_RELEASE_DATE} for the changelog")
endif()

configure_file(${VT_PACKAGING}/vellumtrace.metainfo.xml.in
               ${VT_PACKAGING_OUT}/${VT_APP_ID}.metainfo.xml @ONLY)
configure_file(${VT_PACKAGING}/copyright.in ${VT_PACKAGING_OUT}/copyright @ONLY)
configure_file(${VT_PACKAGING}/changelog.in ${VT_PACKAGING_OUT}/changelog @ONLY)
# Compressed without a time stamp, so the same sources give the same package.
add_custom_command(
  OUTPUT ${VT_PACKAGING_OUT}/changelog.gz
  COMMAND gzip -9nc ${VT_PACKAGING_OUT}/changelog > ${VT_PACKAGING_OUT}/changelog.gz
  DEPENDS ${VT_PACKAGING_OUT}/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(vt_package_changelog ALL DEPENDS ${VT_PACKAGING_OUT}/changelog.gz)

install(FILES ${VT_PACKAGING_OUT}/${VT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(VT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vellumtrace)
install(FILES ${VT_PACKAGING_OUT}/copyright ${VT_PACKAGING_OUT}/changelog.gz
        DESTINATION ${VT_DOC_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/examples/shipping.lbl ${PROJECT_SOURCE_DIR}/examples/shipping.csv
        DESTINATION ${VT_DOC_DIR}/examples)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vellumtrace)
set(CPACK_PACKAGE_VENDOR "The Vellumtrace developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VT_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "label designer and label printer")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VT_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries it links come from dpkg-shlibdeps; what it loads at run time is named here:
# the stock library's files, the SQLite driver and the TIFF and WebP readers.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "glabels-data, libqt6sql6-sqlite, qt6-image-formats-plugins")
# Printing on a printer goes through lp; the sample and the default fonts are Liberation;
# PostgreSQL data needs its driver.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-client, fonts-liberation2, libqt6sql6-psql")
file(READ ${VT_PACKAGING}/description.txt VT_PACKAGE_DESCRIPTION)
string(STRIP "${VT_PACKAGE_DESCRIPTION}" VT_PACKAGE_DESCRIPTION)
# CPack puts the summary first; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${VT_PACKAGE_DESCRIPTION}")
include(CPack)
