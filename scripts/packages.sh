# The Debian packages the scripts need, named once, by what they are for.
# A script sources this and asks, in one line, for every group that it and
# the scripts it calls will use.
native_build=(g++ cmake make freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev)
debian_package=(dpkg-dev file)
web_build=(emscripten node-terser cmake make)
# The three engines the page is checked in: Chromium, with Mesa's Vulkan
# driver to draw WebGL with; Firefox ESR and WebKitGTK's MiniBrowser with its
# WebDriver, both on Xvfb. The fonts the page names, and npm for the drivers
# (Playwright, puppeteer-core, selenium-webdriver).
browser=(chromium mesa-vulkan-drivers firefox-esr webkit2gtk-driver xvfb fonts-dejavu-core npm)
# Wine too: the tests run the program under it, and users may try it there.
windows_build=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake make dpkg-dev xz-utils
               wine wine64)
# Everything a release is made from (release.sh).
release=("${native_build[@]}" "${debian_package[@]}" "${windows_build[@]}" "${web_build[@]}")
# clang with libFuzzer's runtime, for the fuzz targets.
fuzzing=(clang libclang-rt-14-dev cmake make freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev)
