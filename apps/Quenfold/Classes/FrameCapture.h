#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Saves the frame of the bound framebuffer as a PNG in the user's pictures
// folder: $XDG_PICTURES_DIR/Quenfold, else ~/Pictures/Quenfold.
class FrameCapture {
public:
    // The 480x320 frame, RGBA, rows flipped so the first is the screen's top row.
    static std::vector<uint8_t> glToImage();

    // Empty when neither XDG_PICTURES_DIR nor HOME is set.
    static std::string picturesDirectory();
    // A new file name in dir, never one that exists already.
    static std::string unusedPath(const std::string& dir);

    // Writes the frame; logs the path, or one line saying why it could not.
    static bool captureToPhotoAlbum();
};
