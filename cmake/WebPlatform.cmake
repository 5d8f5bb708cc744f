# Under emscripten, GL 1.x, GLU and GLUT are the page's own: a fixed-function
# layer on WebGL and a GLUT on its canvas, the library page_gl (src/web/gl).
# These targets stand for it under the usual names; only WebGL itself comes
# from emscripten.
# The viewer uses no exceptions; without them the C++ library's checks
# abort rather than throw, and the exception machinery stays out of the page.
add_compile_options(-fno-exceptions)

foreach(target OpenGL::GL OpenGL::GLU GLUT::GLUT)
    add_library(${target} INTERFACE IMPORTED)
    set_target_properties(${target} PROPERTIES INTERFACE_LINK_LIBRARIES page_gl)
endforeach()

# The lesson's matrices take the browser's sine and cosine, which the page
# already has, rather than carry the C library's in its WebAssembly.
set(lesson_sine_cosine ${PROJECT_SOURCE_DIR}/src/web/gl/sine_cosine_web.cpp)

# The page carries its WebAssembly in the one file, whose size is counted:
# built for size before speed, -Oz rather than -Os, and optimised across
# files as one program, which leaves out a twentieth of it.
add_compile_options($<$<CONFIG:MinSizeRel>:-Oz> $<$<CONFIG:MinSizeRel>:-flto>)
add_link_options($<$<CONFIG:MinSizeRel>:-Oz> $<$<CONFIG:MinSizeRel>:-flto>)
