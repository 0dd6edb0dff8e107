#include "Utf8.h"

#include "utils/Utf8Sequence.h"

bool isValidUtf8(const std::string& text)
{
    for (size_t i = 0, n; i < text.size(); i += n)
        if ((n = vell::utf8SequenceLength(text, i)) == 0)
            return false;
    return true;
}
