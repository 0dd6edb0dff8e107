#include "utils/Utils.h"

#include "utils/Utf8Sequence.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace vell {

namespace {

FILE* output = nullptr; // standard output

} // namespace

void Log::setOutput(FILE* stream)
{
    output = stream;
}

void Log::msg(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args); // long lines are cut to the buffer
    va_end(args);
    FILE* out = output ? output : stdout;
    fprintf(out, "%s\n", text);
    fflush(out);
}

void Log::error(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    msg("ERROR: %s", text);
}

void stringExplode(std::string text, const std::string& delimiters, std::list<std::string>* out)
{
    for (size_t p = text.find_first_of(delimiters); p != std::string::npos;
         p = text.find_first_of(delimiters)) {
        if (p > 0)
            out->push_back(text.substr(0, p));
        text.erase(0, p + 1);
    }
    if (!text.empty())
        out->push_back(text);
}

std::string printableText(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned int code = 0;
        const size_t length = utf8SequenceLength(text, i, &code);
        const bool control = code < 0x20 || (code >= 0x7f && code < 0xa0); // C0, DEL and C1
        if (length > 0 && !control) {
            out.append(text, i, length);
        } else if (code == '\n' || code == '\t') {
            out += code == '\n' ? "\\n" : "\\t";
        } else {
            // A control character, or one byte that starts no well-formed sequence.
            for (size_t k = i; k < i + std::max<size_t>(length, 1); ++k) {
                char escape[5];
                snprintf(escape, sizeof(escape), "\\x%02x", static_cast<unsigned char>(text[k]));
                out += escape;
            }
        }
        i += std::max<size_t>(length, 1);
    }
    return out;
}

} // namespace vell
