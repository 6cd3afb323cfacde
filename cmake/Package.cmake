# `cpack -G DEB` in the build folder: a Debian package of the installed layout under
# /usr (the program in /usr/lib/vandor, the launcher /usr/bin/vandor, the desktop's
# files and the copyright file under /usr/share).
set(CPACK_PACKAGE_NAME vandor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quilfen")
set(CPACK_PACKAGE_CONTACT "Quilfen")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Visual novel and tower-defence game of a star fortress")
set(CPACK_PACKAGE_DESCRIPTION
  "ヴァンドルの星砦タクティクス (Vandor's Star Fortress Tactics): the story of a five-pointed fortress at the kingdom's northern edge, told as a visual novel, and its battles, fought as tower defence.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries the program links come from dpkg-shlibdeps (dpkg-dev); the fonts are
# only looked up through fontconfig at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont")
# Debian looks for a package's licences in /usr/share/doc/PACKAGE/copyright, in its
# machine-readable format: the engine is MIT, the demo's data archive CC BY 4.0. A
# plain install puts it in share/doc/vandor as well, where it is just as usual.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright DESTINATION share/doc/${CPACK_PACKAGE_NAME})
include(CPack)
