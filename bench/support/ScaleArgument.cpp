#include "ScaleArgument.h"

#include "HostSurface.h"
#include "utils/Utils.h"

#include <cstdio>
#include <cstring>

namespace ScaleArgument {

bool take(int& argc, char**& argv)
{
    if (argc < 2 || std::strcmp(argv[1], "--scale") != 0)
        return true;
    int scale = 0;
    if (!parse(argv[0], argc > 2 ? argv[2] : "", &scale))
        return false;
    HostSurface::setScale(scale);
    argv[2] = argv[0];
    argv += 2;
    argc -= 2;
    return true;
}

bool parse(const char* program, const char* value, int* scale)
{
    // A single digit from 1 to 4: no blanks, signs, fractions or other forms.
    if (std::strlen(value) != 1 || value[0] < '1' || value[0] - '0' > HostSurface::kMaxScale) {
        std::fprintf(stderr, "%s: bad --scale '%s': expected a whole number from 1 to %d\n", program,
                     vell::printableText(value).c_str(), HostSurface::kMaxScale);
        return false;
    }
    *scale = value[0] - '0';
    return true;
}

} // namespace ScaleArgument
