// Images in the page: decoded with stb_image from the packed file system.
#include "ImageFile.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#include <stb_image.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

bool readBytes(const std::string& path, std::string* bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

const stbi_uc* bytesOf(const std::string& bytes)
{
    return reinterpret_cast<const stbi_uc*>(bytes.data());
}

} // namespace

bool ImageFile::writePng(const std::string&, const std::vector<uint8_t>&, int, int, std::string* reason)
{
    if (reason)
        *reason = "frames cannot be saved in the page";
    return false;
}

bool ImageFile::read(const std::string& path, std::vector<uint8_t>* rgba, int* width, int* height)
{
    std::string bytes;
    if (!readBytes(path, &bytes) || bytes.size() > 0x7FFFFFFF)
        return false;
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels = stbi_load_from_memory(bytesOf(bytes), static_cast<int>(bytes.size()), &w, &h, &channels, 4);
    if (!pixels)
        return false;
    rgba->assign(pixels, pixels + static_cast<size_t>(w) * h * 4); // rows top first, as stored
    stbi_image_free(pixels);
    *width = w;
    *height = h;
    return true;
}

bool ImageFile::declaredSize(const std::string& path, int* width, int* height)
{
    std::string bytes;
    if (!readBytes(path, &bytes) || bytes.size() > 0x7FFFFFFF)
        return false;
    int channels = 0;
    return stbi_info_from_memory(bytesOf(bytes), static_cast<int>(bytes.size()), width, height, &channels) &&
           *width > 0 && *height > 0;
}
