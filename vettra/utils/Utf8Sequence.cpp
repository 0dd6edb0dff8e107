#include "utils/Utf8Sequence.h"

namespace vell {

size_t utf8SequenceLength(const std::string& text, size_t at, unsigned int* code)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char c = s[at];
    size_t length;
    unsigned int value;
    if (c < 0x80) {
        length = 1;
        value = c;
    } else if ((c & 0xE0) == 0xC0) {
        length = 2;
        value = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3;
        value = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4;
        value = c & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        if ((s[at + k] & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (s[at + k] & 0x3F);
    }
    static const unsigned int minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < minimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    if (code)
        *code = value;
    return length;
}

} // namespace vell
