#pragma once

#include <cstddef>
#include <string>

// Host services. The library and the demo reach the operating system only
// through these; each host (windowed, headless) provides them.

// Logical window size in points: 480 x 320.
unsigned int osGetWindowWidth();
unsigned int osGetWindowHeight();
// Content scale S, 1 to 4: the frame is drawn with S x S pixels per point.
unsigned int osGetContentScale();
// Frame size in pixels: the window size times the content scale.
unsigned int osGetPixelWidth();
unsigned int osGetPixelHeight();

// Whole resource file, looked up by base name; malloc'd, caller frees. Null when missing.
// Its length in bytes goes to *size when size is given.
void* osLoadBinaryFile(const char* name, size_t* size = nullptr);
// NUL-terminated UTF-8 text of a resource (directory part kept), or null.
// Owned by the platform; valid until the next call.
const char* osLoadTextFile(const char* name);
// The file that holds a generated picture (or a font's metrics) at the frame's
// content scale, and its pixels per point; name itself, at 1, for a resource
// made at one size or whose scaled file is missing (logged once).
std::string osScaledResourceName(const char* name, unsigned int* pixelsPerPoint);
// 8-bit RGBA, premultiplied, top row first; malloc'd, caller frees. Reads the
// file osScaledResourceName picks.
// On failure width and height are 0 and the result is null; a file that exists
// but is refused has been logged with the reason, a missing one is left to the caller.
void* osLoadImageFile(const char* name, unsigned int* width, unsigned int* height,
                      unsigned int* bitsPerPixel);
// Whether the image resource is there at all (whatever its content).
bool osImageFileExists(const char* name);

// Plays a music resource from startSeconds, once; silent on failure.
void osPlayMp3(const char* name, float startSeconds);

// Seconds since the first call; never decreases.
float osGetTime();

// Storage for the renderbuffer bound to GL_RENDERBUFFER, from the window's drawable.
void osRenderbufferStorage();
// Shows the renderbuffer bound to GL_RENDERBUFFER.
void osPresentRenderbuffer();
