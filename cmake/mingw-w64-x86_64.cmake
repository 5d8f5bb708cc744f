# Cross-builds for 64-bit Windows with Debian's mingw-w64 (the posix-threads
# compilers). Libraries built for Windows outside the compiler's own tree,
# such as a static freeglut, are found under HAND_WINDOWS_DEPENDENCIES.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(HAND_WINDOWS_DEPENDENCIES "" CACHE PATH "Install prefix of libraries built for Windows")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple} ${HAND_WINDOWS_DEPENDENCIES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and the threads library go inside the program, so
# that it needs no DLL that Windows does not bring itself. The program's
# header carries no link time, so the same sources make the same program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
# A release program is stripped as it is built, so the one tested is the
# one shipped.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT -s)
