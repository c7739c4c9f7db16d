# `make package`: a .deb for Linux players built by CPack from the install rules (the game and
# its tools under /usr/libexec/solvane with Resources beside them, links in /usr/bin, the
# .desktop file and icons). The store stays in the player's own folder, as with any build.
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/solvane RENAME copyright)
install(FILES ${CMAKE_SOURCE_DIR}/Resources/LICENSES.md ${CMAKE_SOURCE_DIR}/Resources/LICENSES-audio.md
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/solvane)

set(CPACK_PACKAGE_NAME solvane)
set(CPACK_PACKAGE_VENDOR "The Solvane developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read her mind before the clock runs out")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Solvane developers")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Read her mind before the clock runs out
 A single-player game: answer everyday questions the way the heroine would like,
 raise her favour and confess before the 60-second clock runs out.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
