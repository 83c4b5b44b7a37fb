// entry.cpp -- start-up, then GLUT's loop for good.
// SPDX-FileCopyrightText: 2026 The Hollowmint authors
// SPDX-License-Identifier: MIT
#include <GL/glut.h>

#include "hollowmint.h"

int main(int argc, char** argv)
{
    startup(&argc, argv);
    glutMainLoop();
    return 0;
}
