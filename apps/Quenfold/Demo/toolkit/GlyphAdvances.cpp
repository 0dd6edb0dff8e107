#include "toolkit/GlyphAdvances.h"

#include "utils/Platform.h"
#include "utils/Utils.h"

#include <cstdlib>

void GlyphAdvances::Free::operator()(void* p) const { free(p); }

GlyphAdvances::GlyphAdvances(const char* fileName)
    : bytes(static_cast<unsigned char*>(osLoadBinaryFile(fileName, &size)))
{
    if (!bytes) {
        size = 0;
        vell::Log::error("GlyphAdvances failed to load '%s'", fileName);
    } else if (size < codeCount) {
        vell::Log::error("GlyphAdvances '%s' holds %d of %d codes", fileName, static_cast<int>(size), codeCount);
    }
}
