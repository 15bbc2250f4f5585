# The Debian package: cpack -G DEB in a build configured with -DMINUTRIX_PORTABLE=OFF (and
# -DMINUTRIX_SELF_UPDATE=OFF) gives minutrix_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME minutrix)
set(CPACK_PACKAGE_VENDOR "The Minutrix developers")
set(CPACK_PACKAGE_CONTACT "${MINUTRIX_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${MINUTRIX_PACKAGE_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cost monitor for dial-up connections")
set(CPACK_PACKAGE_HOMEPAGE_URL "${MINUTRIX_HOMEPAGE_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcurl is opened at the first transfer, so shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ppp")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The synopsis is the summary above; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Minutrix times every dial-up connection that pppd or NetworkManager makes
(modems, mobile broadband, PPPoE, metered hotspots) and adds up its
cost from the tariffs entered: prices per minute for each hour of each
day, billing increments, free amounts and public holidays. It warns before
a monthly limit is reached, logs every connection and shows, exports and
prints each month. The windows are in German or English.

minutrix-cli reads the program's files for scripts and exports its months.")

# What Debian asks of every package's documentation folder.
if(NOT MINUTRIX_PORTABLE AND MINUTRIX_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/dist/linux/copyright ${PROJECT_BINARY_DIR}/dist/linux/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

include(CPack)
