#include "ContentScale.h"

#include "HostSurface.h"

#include <cctype>
#include <string>

bool ContentScale::isSoftware(const char* renderer)
{
    if (!renderer)
        return true;
    std::string name(renderer);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* software : {"llvmpipe", "softpipe", "swrast"})
        if (name.find(software) != std::string::npos)
            return true;
    return false;
}

int ContentScale::atStart(int requested, const char* renderer, int width, int height)
{
    if (requested >= 1 && requested <= HostSurface::kMaxScale)
        return requested;
    return isSoftware(renderer) ? 1 : HostSurface::largestScaleFitting(width, height);
}

int ContentScale::next(int current, int width, int height)
{
    return current == 1 ? HostSurface::largestScaleFitting(width, height) : 1;
}
