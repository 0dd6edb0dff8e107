#pragma once

#include "Image.h"
#include "ResourceWriter.h"

namespace resgen {

// One overview picture of every generated image, labelled, over a checkerboard that shows transparency.
class ContactSheet {
public:
    static Image compose(const ResourceWriter& written);
};

} // namespace resgen
