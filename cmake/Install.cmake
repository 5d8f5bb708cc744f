# Installs the programs, the manual page and the documents where the system
# expects them, and describes the Debian package that `cpack -G DEB` makes.
include(GNUInstallDirs)

# The manual page carries the project's one version number.
configure_file(${PROJECT_SOURCE_DIR}/docs/hand-viewer.1.in ${PROJECT_BINARY_DIR}/hand-viewer.1 @ONLY)

install(TARGETS hand-viewer hand-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_BINARY_DIR}/hand-viewer.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME hand-viewer)
set(CPACK_PACKAGE_VENDOR "The hand-viewer developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
    "A lit, golden-yellow hand made of boxes and spheres, drawn with fixed-function\n"
    "OpenGL, GLU and freeglut as a hierarchy of transforms. It is turned about three\n"
    "axes, its digits are bent step by step, and it plays sweeps and four scripted\n"
    "gestures, all from the keyboard: a small program for learning and teaching\n"
    "hierarchical modelling.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGE_CONTACT "The hand-viewer developers <hand-viewer@users.noreply.invalid>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The runtime libraries (freeglut, GLU, GL) are found from the binaries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
include(CPack)
