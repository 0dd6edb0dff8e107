#pragma once

#include <cstddef>

// Simplex noise, roughly in -1 .. 1. The 1D noise is zero at every integer.
float noise(float x);
float noise(float x, float y);
float noise(float x, float y, float z);

// 2D noise of count points: out[k] = noise(x[k], y[k]), equal bit for bit,
// worked out four points at a time.
void noise(const float* x, const float* y, float* out, size_t count);
