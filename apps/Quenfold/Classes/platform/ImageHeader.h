#pragma once

#include <string>

// The checks every host's image decoder makes before decoding: the format
// the signature names (never one guessed from the content), the size the
// header declares, and a file cut short.
class ImageHeader {
public:
    enum class Format { None, Png, Jpeg };

    // Reads an image file for a decoder: the format its signature names, or
    // None when the file cannot be read, is neither format, is larger than a
    // decoder takes (2 GiB) or was cut short (decoders differ in what they
    // make of the rest; a JPEG decoder fills the missing rows with grey).
    static Format readForDecoding(const std::string& path, std::string* bytes);
    // The size a PNG or JPEG header declares, without decoding the pixels;
    // false when the file is neither or its header is cut short.
    static bool declaredSize(const std::string& path, int* width, int* height);
};
