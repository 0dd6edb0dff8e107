#pragma once

// Simplex noise, roughly in -1 .. 1. The 1D noise is zero at every integer.
float noise(float x);
float noise(float x, float y);
float noise(float x, float y, float z);
