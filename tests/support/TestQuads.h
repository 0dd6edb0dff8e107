#pragma once

#include <GLES2/gl2.h>

// Full-viewport quads drawn through minimal programs of their own, for tests
// that must draw before or without the library's shaders.
void drawFlatColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
// Samples the 2D texture bound to unit 0, texture coordinates 0..1 across the viewport.
void drawBoundTexture();
