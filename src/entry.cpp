// entry.cpp -- start-up: the window, the first round, then GLUT's loop for good.
#include <GL/glut.h>

#include "hollowmint.h"

int main(int argc, char** argv)
{
    openwindow(&argc, argv);
    score.points = 0;
    init(); // after the window: it sets GL state and loads the strips
    registercallbacks();
    glutMainLoop();
    return 0;
}
