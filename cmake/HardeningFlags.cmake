# Debian's hardening flags, as dpkg-buildflags gives them with every hardening
# feature on: fortified functions, stack protector, PIE (the compiler's
# default), read-only relocations and immediate binding. Every build but the
# sanitizer's uses them, so the tested binaries are the packaged ones.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS OR HAND_SANITIZE)
    return()
endif()

foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                ${DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE flags
        OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL LDFLAGS)
        add_link_options(${flags})
    else()
        add_compile_options(${flags})
    endif()
endforeach()
