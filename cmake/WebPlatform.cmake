# Under emscripten, GL 1.x, GLU and GLUT are the page's own: a fixed-function
# layer on WebGL and a GLUT on its canvas (src/web/page). These targets stand
# for them under the usual names; only WebGL itself comes from emscripten.
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_OPTIONS "-lGL")
add_library(OpenGL::GLU INTERFACE IMPORTED)
add_library(GLUT::GLUT INTERFACE IMPORTED)
