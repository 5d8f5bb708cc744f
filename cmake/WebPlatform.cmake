# Under emscripten, GL, GLU and GLUT are its own libraries, with OpenGL 1.x
# emulated on WebGL; these targets stand for them under the usual names.
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_OPTIONS "-lGL;-sLEGACY_GL_EMULATION=1")
add_library(OpenGL::GLU INTERFACE IMPORTED)
set_target_properties(OpenGL::GLU PROPERTIES INTERFACE_LINK_OPTIONS "-lGLU")
add_library(GLUT::GLUT INTERFACE IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES INTERFACE_LINK_OPTIONS "-lglut")
