// Images in the page: decoded with stb_image from the packed file system,
// after the same checks as on the desktop.
#include "ImageFile.h"

#include "ImageHeader.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>

bool ImageFile::writePng(const std::string&, const std::vector<uint8_t>&, int, int, std::string* reason)
{
    if (reason)
        *reason = "frames cannot be saved in the page";
    return false;
}

bool ImageFile::read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height)
{
    std::string bytes;
    if (ImageHeader::readForDecoding(path, &bytes) == ImageHeader::Format::None)
        return false;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                            static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    if (!pixels)
        return false;
    rgba->assign(pixels, pixels + static_cast<size_t>(w) * h * 4); // rows top first, as stored
    stbi_image_free(pixels);
    *width = w;
    *height = h;
    return true;
}
