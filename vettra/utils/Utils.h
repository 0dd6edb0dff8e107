#pragma once

#include <cstdio>
#include <list>
#include <string>

namespace vell {

// printf-style console log lines (standard output, one line per call).
class Log {
public:
    static void msg(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static void error(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // Where the lines go from now on: a program whose standard output is a
    // table or data sends them to standard error.
    static void setOutput(FILE* stream);
};

// Appends to *out the non-empty tokens of text separated by any character of delimiters.
void stringExplode(std::string text, const std::string& delimiters, std::list<std::string>* out);

// text with its control characters (C0, DEL, C1) and every byte that starts no
// well-formed UTF-8 sequence written as escapes (\n, \t, \xNN), so that outside
// input echoed in a message keeps the message on one line and the terminal sane.
std::string printableText(const std::string& text);

} // namespace vell
