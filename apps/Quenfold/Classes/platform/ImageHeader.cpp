#include "ImageHeader.h"

#include "ResourceFiles.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace {

const char kPngSignature[] = "\x89PNG\r\n\x1A\n";
const char kJpegSignature[] = "\xFF\xD8";

uint32_t bigEndian(const unsigned char* p, int count)
{
    uint32_t v = 0;
    for (int i = 0; i < count; ++i)
        v = (v << 8) | p[i];
    return v;
}

bool pngSize(std::istream& in, int* width, int* height)
{
    unsigned char head[24];
    if (!in.read(reinterpret_cast<char*>(head), sizeof(head)) || memcmp(head, kPngSignature, 8) != 0 ||
        memcmp(head + 12, "IHDR", 4) != 0)
        return false;
    const uint32_t w = bigEndian(head + 16, 4), h = bigEndian(head + 20, 4);
    if (w == 0 || h == 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

// Walks the JPEG markers up to the first start-of-frame, which holds the size.
bool jpegSize(std::istream& in, int* width, int* height)
{
    unsigned char b[8];
    if (!in.read(reinterpret_cast<char*>(b), 2) || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    for (;;) {
        if (!in.read(reinterpret_cast<char*>(b), 2) || b[0] != 0xFF)
            return false;
        const unsigned char marker = b[1];
        if (marker == 0xFF) { // fill byte
            in.seekg(-1, std::ios::cur);
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue; // markers without a length
        if (!in.read(reinterpret_cast<char*>(b), 2))
            return false;
        const uint32_t length = bigEndian(b, 2);
        if (length < 2)
            return false;
        const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                                  marker != 0xC8 && marker != 0xCC;
        if (startOfFrame) {
            if (length < 7 || !in.read(reinterpret_cast<char*>(b), 5))
                return false;
            *height = static_cast<int>(bigEndian(b + 1, 2));
            *width = static_cast<int>(bigEndian(b + 3, 2));
            return *width > 0 && *height > 0;
        }
        if (!in.seekg(length - 2, std::ios::cur))
            return false;
    }
}

ImageHeader::Format formatOf(const std::string& bytes)
{
    if (bytes.compare(0, 8, kPngSignature, 8) == 0)
        return ImageHeader::Format::Png;
    if (bytes.compare(0, 2, kJpegSignature, 2) == 0)
        return ImageHeader::Format::Jpeg;
    return ImageHeader::Format::None;
}

// A PNG without its end chunk, or a JPEG whose last scan has no end-of-image
// marker after it, was cut short.
bool isCutShort(ImageHeader::Format format, const std::string& bytes)
{
    if (format == ImageHeader::Format::Png) {
        const size_t end = bytes.rfind(std::string("\0\0\0\0IEND", 8));
        return end == std::string::npos || bytes.size() - end < 12;
    }
    const size_t scan = bytes.rfind("\xFF\xDA");
    const size_t end = bytes.rfind("\xFF\xD9");
    return end == std::string::npos || (scan != std::string::npos && end < scan);
}

} // namespace

bool ImageHeader::declaredSize(const std::string& path, int* width, int* height)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    if (pngSize(in, width, height))
        return true;
    in.clear();
    in.seekg(0);
    return jpegSize(in, width, height);
}

ImageHeader::Format ImageHeader::readForDecoding(const std::string& path, std::string* bytes)
{
    if (!ResourceFiles::readFile(path, bytes) || bytes->size() > 0x7FFFFFFF)
        return Format::None;
    const Format format = formatOf(*bytes);
    return format != Format::None && isCutShort(format, *bytes) ? Format::None : format;
}
