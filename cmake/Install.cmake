# Installs the programs, their manual pages, the desktop entry, the icons and
# the documents where the system expects them, and describes the Debian
# package that `cpack -G DEB` makes.
include(GNUInstallDirs)

# Manual pages and the changelog carry the project's one version number and
# are installed compressed, as Debian's policy asks: gzip -9n keeps no name or
# time stamp, so the same input always makes the same file.
function(configure_compressed template output)
    configure_file(${template} ${PROJECT_BINARY_DIR}/${output} @ONLY)
    execute_process(COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/${output} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
configure_compressed(${PROJECT_SOURCE_DIR}/docs/hand-viewer.1.in hand-viewer.1)
configure_compressed(${PROJECT_SOURCE_DIR}/docs/hand-snapshot.1.in hand-snapshot.1)
configure_compressed(${PROJECT_SOURCE_DIR}/docs/changelog.in changelog)

install(TARGETS hand-viewer hand-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped program keeps the compiler's .comment section unless told.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        foreach(program hand-viewer hand-snapshot)
            execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    endif()")
install(FILES ${PROJECT_BINARY_DIR}/hand-viewer.1.gz ${PROJECT_BINARY_DIR}/hand-snapshot.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/copyright
              ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

install(FILES ${PROJECT_SOURCE_DIR}/desktop/hand-viewer.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 48 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/desktop/hand-viewer-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME hand-viewer.png)
endforeach()

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
