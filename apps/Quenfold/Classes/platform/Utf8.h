#pragma once

#include <string>

// True when text is well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(const std::string& text);
