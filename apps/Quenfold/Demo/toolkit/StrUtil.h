#pragma once

#include <string>
#include <vector>

namespace strUtil {

// Maximal runs of characters not in delimiters, in order (note: delimiters first).
std::vector<std::string> explode(const std::string& delimiters, const std::string& text);
// atof / atoi of the text: leading white space skipped, 0 without a number.
float toFloat(const std::string& text);
int toInt(const std::string& text);

} // namespace strUtil
