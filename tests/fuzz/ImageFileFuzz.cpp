// Image files through the platform loader: a decoded image has the size its
// header declares, within the largest side taken, and premultiplied pixels;
// a refused one leaves the size at 0.
#include "FuzzSupport.h"
#include "ImageFile.h"
#include "ResourceFiles.h"
#include "utils/Platform.h"

#include <cstdlib>

// Decoding and checking cost grows with the area, which a few header bytes set:
// larger images within the side limit are skipped, those beyond it still refused.
constexpr long long kMaxFuzzedPixels = 1 << 20;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzzPutResource("fuzz.png", data, size);
    int declaredWidth = 0, declaredHeight = 0;
    const bool declared = ImageFile::declaredSize(ResourceFiles::textPath("fuzz.png"), &declaredWidth, &declaredHeight);
    if (declared && declaredWidth <= 8192 && declaredHeight <= 8192 &&
        static_cast<long long>(declaredWidth) * declaredHeight > kMaxFuzzedPixels)
        return 0;
    unsigned int width = 7, height = 7, bitsPerPixel = 0;
    auto* pixels = static_cast<uint8_t*>(osLoadImageFile("fuzz.png", &width, &height, &bitsPerPixel));
    if (!pixels) {
        FUZZ_CHECK(width == 0 && height == 0);
        return 0;
    }
    FUZZ_CHECK(declared);
    FUZZ_CHECK(width == static_cast<unsigned int>(declaredWidth) && height == static_cast<unsigned int>(declaredHeight));
    FUZZ_CHECK(width >= 1 && height >= 1 && width <= 8192 && height <= 8192);
    FUZZ_CHECK(bitsPerPixel == 32);
    for (size_t i = 0; i < static_cast<size_t>(width) * height * 4; i += 4)
        FUZZ_CHECK(pixels[i] <= pixels[i + 3] && pixels[i + 1] <= pixels[i + 3] && pixels[i + 2] <= pixels[i + 3]);
    free(pixels);
    return 0;
}
