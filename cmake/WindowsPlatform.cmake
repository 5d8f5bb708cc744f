# Windows has no system GLUT. A static freeglut (as scripts/windows.sh builds
# it) must be announced to its header, which would otherwise expect a DLL,
# and its calls into Windows' own GL, drawing and timer libraries follow it
# on the link line. A freeglut DLL (MSYS2's, vcpkg's) needs neither.
if(GLUT_glut_LIBRARY MATCHES "\\.a$" AND NOT GLUT_glut_LIBRARY MATCHES "\\.dll\\.a$")
    set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC)
    set_property(TARGET GLUT::GLUT APPEND PROPERTY INTERFACE_LINK_LIBRARIES opengl32 gdi32 winmm)
endif()
