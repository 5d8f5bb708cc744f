# The Debian packages the scripts need, named once, by what they are for.
# A script sources this and asks, in one line, for every group that it and
# the scripts it calls will use.
native_build=(g++ cmake make freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev)
debian_package=(dpkg-dev file)
web_build=(emscripten cmake make)
# Chromium, Mesa's Vulkan driver for it to draw WebGL with, the fonts the
# page names, and npm for the driver that opens it (Playwright).
browser=(chromium mesa-vulkan-drivers fonts-dejavu-core npm)
# Wine too: the tests run the program under it, and users may try it there.
windows_build=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake make dpkg-dev xz-utils
               wine wine64)
# clang with libFuzzer's runtime, for the fuzz targets.
fuzzing=(clang libclang-rt-14-dev cmake make freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev)
