#include "toolkit/StrUtil.h"

#include <cstdlib>

namespace strUtil {

std::vector<std::string> explode(const std::string& delimiters, const std::string& text)
{
    std::vector<std::string> tokens;
    size_t i = 0;
    for (;;) {
        i = text.find_first_not_of(delimiters, i);
        if (i == std::string::npos)
            return tokens;
        size_t j = text.find_first_of(delimiters, i + 1);
        if (j == std::string::npos)
            j = text.size();
        tokens.push_back(text.substr(i, j - i));
        i = j + 1;
        if (i >= text.size())
            return tokens;
    }
}

float toFloat(const std::string& text)
{
    return static_cast<float>(atof(text.c_str()));
}

int toInt(const std::string& text)
{
    return atoi(text.c_str());
}

} // namespace strUtil
