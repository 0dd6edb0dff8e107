#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// The programs' icon for the desktop's menus: the title logo's chrome "Q" on a dark rounded tile,
// drawn at each size rather than scaled, so small sizes stay sharp.
class AppIcon {
public:
    static constexpr int kSizes[] = {48, 64, 128, 256, 512};

    static Image draw(int size);
    // "quenfold-N.png" for each size.
    static bool writeAll(ResourceWriter& out);
};

} // namespace resgen
