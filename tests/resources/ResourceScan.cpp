#include "ResourceScan.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <set>

namespace {

const char* const extensions[] = {"png", "jpg", "obj", "dat", "mp3", "glsl"};

// A string literal of the source: its text as written, and where its quotes are.
struct Literal {
    std::string text;
    bool escaped = false; // holds a backslash
    size_t begin = 0;     // the opening quote
    size_t end = 0;       // one past the closing quote
};

bool isIdentifierChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Reads the literal or character constant opening at `at` (a quote); returns one past its end.
size_t readQuoted(const std::string& s, size_t at, Literal* literal)
{
    const char quote = s[at];
    size_t i = at + 1;
    while (i < s.size() && s[i] != quote && s[i] != '\n') {
        if (s[i] == '\\') {
            if (literal)
                literal->escaped = true;
            ++i;
        }
        ++i;
    }
    if (literal)
        literal->text = s.substr(at + 1, std::min(i, s.size()) - at - 1);
    return std::min(i + 1, s.size());
}

// Every string literal outside comments and character constants, in order. A
// linear scan: sources of any length and any content are read without recursion.
std::vector<Literal> stringLiterals(const std::string& s)
{
    std::vector<Literal> found;
    size_t i = 0;
    while (i < s.size()) {
        if (s.compare(i, 2, "//") == 0) {
            i = s.find('\n', i);
        } else if (s.compare(i, 2, "/*") == 0) {
            i = s.find("*/", i + 2);
            i = i == std::string::npos ? i : i + 2;
        } else if (s[i] == 'R' && s.compare(i + 1, 1, "\"") == 0 && (i == 0 || !isIdentifierChar(s[i - 1]))) {
            const size_t open = s.find('(', i + 2);
            if (open == std::string::npos)
                break;
            const std::string close = ")" + s.substr(i + 2, open - i - 2) + "\"";
            const size_t last = s.find(close, open);
            Literal literal;
            literal.begin = i;
            literal.text = s.substr(open + 1, last == std::string::npos ? std::string::npos : last - open - 1);
            literal.end = last == std::string::npos ? last : last + close.size();
            i = literal.end;
            found.push_back(literal);
        } else if (s[i] == '"') {
            Literal literal;
            literal.begin = i;
            literal.end = i = readQuoted(s, i, &literal);
            found.push_back(literal);
        } else if (s[i] == '\'' && (i == 0 || !std::isxdigit(static_cast<unsigned char>(s[i - 1])))) {
            i = readQuoted(s, i, nullptr); // a character constant, not a digit separator
        } else {
            ++i;
        }
    }
    return found;
}

size_t skipSpace(const std::string& s, size_t i)
{
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    return i;
}

// The literal starting exactly at `at`, or null.
const Literal* literalAt(const std::vector<Literal>& literals, size_t at)
{
    const auto it = std::lower_bound(literals.begin(), literals.end(), at,
                                     [](const Literal& l, size_t pos) { return l.begin < pos; });
    return it != literals.end() && it->begin == at ? &*it : nullptr;
}

bool isWord(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), isIdentifierChar);
}

bool endsWithResourceExtension(const std::string& text)
{
    for (const char* ext : extensions) {
        const std::string suffix = std::string(".") + ext;
        if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    }
    return false;
}

bool isResourceExtension(const std::string& text)
{
    return std::any_of(std::begin(extensions), std::end(extensions),
                       [&](const char* ext) { return text == std::string(".") + ext; });
}

std::vector<std::string> expandCounter(const std::string& name)
{
    const size_t pct = name.find('%');
    if (pct == std::string::npos)
        return {name};
    std::vector<std::string> out;
    for (int i = 0; i <= 1; ++i) {
        char buf[256];
        std::snprintf(buf, sizeof buf, name.c_str(), i);
        out.emplace_back(buf);
    }
    return out;
}

} // namespace

std::vector<std::vector<std::string>> referencedResources(const std::string& source)
{
    std::vector<std::vector<std::string>> found;
    const std::vector<Literal> literals = stringLiterals(source);

    // Cube maps: TextureCube::fromFile("base", "ext") reads six face files.
    std::set<std::string> cubeBases; // a base may itself end like a file name
    const char* const cubeCall = "TextureCube::fromFile(";
    for (size_t at = source.find(cubeCall); at != std::string::npos; at = source.find(cubeCall, at + 1)) {
        const Literal* base = literalAt(literals, skipSpace(source, at + std::strlen(cubeCall)));
        if (!base || base->escaped)
            continue;
        const size_t comma = skipSpace(source, base->end);
        if (comma >= source.size() || source[comma] != ',')
            continue;
        const Literal* ext = literalAt(literals, skipSpace(source, comma + 1));
        if (!ext || !isWord(ext->text))
            continue;
        const size_t close = skipSpace(source, ext->end);
        if (close >= source.size() || source[close] != ')')
            continue;
        cubeBases.insert(base->text);
        for (const char* face : {"posx", "negx", "posy", "negy", "posz", "negz"})
            found.push_back({base->text + "_" + face + "." + ext->text});
    }

    for (size_t k = 0; k < literals.size(); ++k) {
        const Literal& literal = literals[k];
        if (literal.escaped)
            continue;
        // A base name joined to its extension in code: "Font" + ".png".
        size_t j = skipSpace(source, literal.end);
        if (j < source.size() && source[j] == ')')
            j = skipSpace(source, j + 1);
        if (!literal.text.empty() && j < source.size() && source[j] == '+' && k + 1 < literals.size() &&
            literals[k + 1].begin == skipSpace(source, j + 1) && !literals[k + 1].escaped &&
            isResourceExtension(literals[k + 1].text))
            found.push_back(expandCounter(literal.text + literals[k + 1].text));

        // Plain names; formats with %s are assembled elsewhere and left out.
        const std::string& name = literal.text;
        if (!endsWithResourceExtension(name) || name[0] == '.' || name.find("%s") != std::string::npos ||
            cubeBases.count(name))
            continue;
        found.push_back(expandCounter(name));
    }
    return found;
}

std::vector<std::string> sourceFilesBelow(const std::string& root)
{
    std::vector<std::string> files;
    if (!std::filesystem::is_directory(root))
        return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h"))
            files.push_back(entry.path().string());
    }
    return files;
}
