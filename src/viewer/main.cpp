#include <cstdio>

#include <GL/glut.h>

#include "keyboard.h"
#include "scene.h"

namespace {

constexpr int windowSize = 300;
constexpr int windowPosition = 200;

// One character decides; the rest of the line is never read, and end of
// input counts as "no".
bool userWantsFullScreen()
{
    std::fputs("FullScreen?(y/n) ", stdout);
    std::fflush(stdout);
    return std::getchar() == 'y';
}

}  // namespace

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(windowSize, windowSize);
    glutInitWindowPosition(windowPosition, windowPosition);
    glutCreateWindow(argv[0]);
    initGLState();

    if (userWantsFullScreen())
        glutFullScreen();

    glutIdleFunc(idleNoop);
    glutDisplayFunc(displayScene);
    glutReshapeFunc(reshapeView);
    // Characters only: arrows, function keys and the mouse do nothing.
    glutKeyboardFunc(onKey);

    glutMainLoop();
    return 0;
}
