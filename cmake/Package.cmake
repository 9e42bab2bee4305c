# The Debian package: cpack -G DEB in the build folder (scripts/package.sh
# builds with Debian's flags and checks the result with lintian).
if(NOT UNIX OR APPLE)
  return()
endif()
set(LEVYWISE_MAINTAINER "The Levywise developers <levywise@users.noreply.github.com>"
    CACHE STRING "The package's maintainer, as Name <address>")

# A native Debian package's changelog and copyright notice.
execute_process(COMMAND date -R -u -d "${LEVYWISE_RELEASE_DATE}"
                OUTPUT_VARIABLE LEVYWISE_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
set(doc_dir ${PROJECT_BINARY_DIR}/package-doc)
configure_file(packaging/changelog.in ${doc_dir}/changelog @ONLY)
execute_process(COMMAND gzip -9nf ${doc_dir}/changelog COMMAND_ERROR_IS_FATAL ANY)
install(FILES packaging/copyright ${doc_dir}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/levywise)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME levywise)
set(CPACK_PACKAGE_VERSION ${LEVYWISE_VERSION})
set(CPACK_PACKAGE_CONTACT ${LEVYWISE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "estimate the yearly property tax on a piece of real estate")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Levywise estimates the yearly property tax on one piece of real estate from
a county's tab-separated tax rate file: type the appraised value, pick the
county, city and school district, mark the exemptions, and it shows each
taxing unit's breakdown, the special districts' tax and the total.
.
The package holds the desktop program, the command-line program
levywise-cli for scripts and lists of properties, and an invented sample
county.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/levywise/levywise)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Installed as configured (scripts/package.sh: /usr), through DESTDIR, so that
# the launcher written at install time names the final folders.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
