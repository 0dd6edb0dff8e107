#include "utils/Utils.h"

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
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (u < 0x20 || u == 0x7f) {
            char escape[5];
            snprintf(escape, sizeof(escape), "\\x%02x", u);
            out += escape;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vell
