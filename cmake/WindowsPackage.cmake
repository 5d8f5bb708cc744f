# The Windows program carries the hand icon and its version in its
# resources, and `cpack` puts it in a zip with a short README, the licence
# and the notice of the freeglut linked into it.
enable_language(RC)
set(HAND_ICON ${PROJECT_SOURCE_DIR}/desktop/hand-viewer.ico)
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/hand-viewer.rc.in
               ${PROJECT_BINARY_DIR}/hand-viewer.rc @ONLY)
target_sources(hand-viewer PRIVATE ${PROJECT_BINARY_DIR}/hand-viewer.rc)

# The zip is made where freeglut is linked in and its notice is known.
set(HAND_FREEGLUT_COPYING "" CACHE FILEPATH "freeglut's COPYING, shipped with the program that links it")
if(NOT HAND_FREEGLUT_COPYING)
    message(STATUS "No zip: set HAND_FREEGLUT_COPYING to freeglut's COPYING to pack one "
                   "(scripts/windows.sh does)")
    return()
endif()

# Notepad and its kin read Windows line ends.
function(windows_text_file source destination)
    file(READ ${source} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${PROJECT_BINARY_DIR}/zip/${destination} "${text}")
    install(FILES ${PROJECT_BINARY_DIR}/zip/${destination} DESTINATION .)
endfunction()
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/README.txt.in ${PROJECT_BINARY_DIR}/README.txt @ONLY)
windows_text_file(${PROJECT_BINARY_DIR}/README.txt README.txt)
windows_text_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)
windows_text_file(${HAND_FREEGLUT_COPYING} freeglut-COPYING.txt)

install(TARGETS hand-viewer RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME hand-viewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME hand-viewer-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
