#pragma once

#include <GLES2/gl2.h>

// Fills the viewport with one colour through a minimal program of its own,
// for tests that must draw before or without the library's shaders.
void drawFlatColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
