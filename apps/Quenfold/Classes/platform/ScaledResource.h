#pragma once

#include <functional>
#include <string>

// Which file holds a generated picture for the frame's content scale. The
// resource generator makes the pictures drawn on screen (the bitmap fonts with
// their metrics, the lettering, the indicator cards, the photos and the sprites)
// at 1x, 2x and 4x, as "name.png", "name@2x.png" and "name@4x.png", each with
// the same layout in points.
class ScaledResource {
public:
    struct Choice {
        std::string name;     // the file to read
        int scale = 1;        // its pixels per point
        bool missing = false; // the scaled file was wanted but is not there
    };

    // Pixels per point of the file drawn at content scale s: 1, 2 or 4
    // (3 takes the 4x file, which the texture's mipmaps bring down).
    static int fileScale(int contentScale);
    // "name@2x.png" for "name.png" at scale 2; the name itself at 1. Inline:
    // the resource generator names its files with it too.
    static std::string scaledName(const std::string& name, int scale)
    {
        if (scale == 1)
            return name;
        const size_t dot = name.rfind('.');
        const std::string suffix = "@" + std::to_string(scale) + "x";
        return dot == std::string::npos ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
    }
    // Whether the generator makes the resource at every scale.
    static bool isScaled(const std::string& name);
    // The file for name at content scale s, given which files are present: the
    // scaled one, or the 1x one when name has none or it is missing.
    static Choice choose(const std::string& name, int contentScale,
                         const std::function<bool(const std::string&)>& present);
    // choose() in the resource directory at the frame's scale; a missing scaled
    // file is logged once, and the 1x one is read instead.
    static Choice forFrame(const std::string& name);
};
