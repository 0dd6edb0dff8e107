#pragma once

// The GL driver's shared objects (the GL and EGL entry points, the Mesa driver and
// its LLVM): work done inside them is the renderer's, not this program's.
bool isDriverObject(const char* path);
