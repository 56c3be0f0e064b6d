# The Debian package, built by CPack (scripts/package.sh). Its version is the
# project's, its dependencies are computed from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tracker-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kelvorin)
set(CPACK_PACKAGE_CONTACT "Kelvorin <support@kelvorin.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "parameter editor for GPS vehicle trackers")
set(CPACK_PACKAGE_DESCRIPTION
  "A window of eleven tabs that reads every parameter of a GPS vehicle tracker\n\
over a serial or USB port, edits it and writes it back; settings files carry\n\
one configuration to many trackers. tracker-cli does the same from the\n\
command line, tracker-sim simulates a tracker on a pseudo-terminal.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kelvorin.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Qt finds its platform plugins through these; dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")

include(CPack)
