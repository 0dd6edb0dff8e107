#pragma once

#include <cstddef>
#include <string>

namespace vell {

// Length in bytes of the well-formed UTF-8 sequence that starts at text[at]
// (1 for ASCII), with its code point in *code; 0 where none starts there: a
// stray or missing continuation byte, an overlong form, a surrogate, or a code
// point past U+10FFFF.
size_t utf8SequenceLength(const std::string& text, size_t at, unsigned int* code = nullptr);

} // namespace vell
