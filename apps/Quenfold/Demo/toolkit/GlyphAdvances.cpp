#include "toolkit/GlyphAdvances.h"

#include "utils/FileReports.h"
#include "utils/Platform.h"
#include "utils/Utils.h"

#include <cstdlib>

void GlyphAdvances::Free::operator()(void* p) const { free(p); }

GlyphAdvances::GlyphAdvances(const char* requested)
{
    unsigned int scale = 1;
    const std::string file = osScaledResourceName(requested, &scale);
    const char* fileName = file.c_str();
    pixelsPerPoint = static_cast<float>(scale);
    size_t length = 0;
    bytes.reset(static_cast<unsigned char*>(osLoadBinaryFile(fileName, &length)));
    size = bytes ? length : 0;
    if (isUsable() || !vell::FileReports::isFirst(fileName))
        return;
    if (!bytes)
        vell::Log::error("GlyphAdvances failed to load '%s'", fileName);
    else
        vell::Log::error("GlyphAdvances '%s' holds %d of %d codes", fileName, static_cast<int>(size), codeCount);
}
