#include "utils/Utils.h"

#include <cstdarg>
#include <cstdio>

namespace vell {

void Log::msg(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof(text), format, args); // long lines are cut to the buffer
    va_end(args);
    puts(text);
    fflush(stdout);
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

} // namespace vell
