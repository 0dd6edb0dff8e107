#include "CubeMaps.h"

#include <array>

namespace resgen {

bool CubeMaps::write(ResourceWriter& out, const std::string& base, const std::string& extension,
                     const Environment& env, int size)
{
    static const std::array<const char*, 6> faces{"posx", "negx", "posy", "negy", "posz", "negz"};
    for (size_t f = 0; f < faces.size(); ++f) {
        Image img(size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                // Face coordinates as the GL cube-map lookup defines them (first row is t = -1).
                const float s = 2 * (x + 0.5f) / size - 1;
                const float t = 2 * (y + 0.5f) / size - 1;
                const std::array<std::array<float, 3>, 6> dir{{{1, -t, -s}, {-1, -t, s}, {s, 1, t},
                                                               {s, -1, -t}, {s, -t, 1}, {-s, -t, -1}}};
                img.at(x, y) = env.radiance(dir[f][0], dir[f][1], dir[f][2]);
            }
        if (!out.savePng(base + "_" + faces[f] + "." + extension, img))
            return false;
    }
    return true;
}

bool CubeMaps::writeAll(ResourceWriter& out)
{
    // The empty base name is what an unused cube map of the render-to-cube example asks for.
    return write(out, "gradient", "png", Environment::pastelGradient(), 128)
        && write(out, "blurred_light", "png", Environment::blurredLights(), 128)
        && write(out, "skyPosX.png", "png", Environment::daySky(), 256)
        && write(out, "", "png", Environment::pastelGradient(), 16);
}

} // namespace resgen
