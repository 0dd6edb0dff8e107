#include "script/ScriptFile.h"

#include "utils/Utils.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>

const char* const ScriptFile::kTypeNames[5] = {"bool", "int", "float", "vec3", "vec4"};
const char* const ScriptFile::kModeNames[4] = {"step", "linear", "ease-in", "ease-out"};

namespace {

const char* const kModeList = "step, linear, ease-in or ease-out";

// The whole token as a whole number, in range.
bool number(const std::string& token, int* out)
{
    const char* end = token.data() + token.size();
    const auto [at, ec] = std::from_chars(token.data(), end, *out);
    return ec == std::errc() && at == end;
}

// The whole token as a float: plain decimals with an optional exponent, or
// inf and nan (which the callers refuse by name); no hexadecimal, no blanks.
bool number(const std::string& token, float* out)
{
    if (token.empty() || token.find_first_not_of("0123456789.eE+-infatyINFATY") != std::string::npos)
        return false;
    char* end = nullptr;
    *out = std::strtof(token.c_str(), &end); // out of range: infinity, or a value near 0
    return end == token.c_str() + token.size();
}

// The shortest text that reads back as v, in plain decimals unless %.9g
// itself would take an exponent.
std::string text(float v)
{
    const float size = std::fabs(v);
    const bool exponent = v != 0 && (size >= 1e9f || size < 1e-4f);
    char buffer[32];
    for (int digits = 1; digits <= 9; ++digits) {
        snprintf(buffer, sizeof(buffer), "%.*g", digits, static_cast<double>(v));
        if (std::strtof(buffer, nullptr) == v && (exponent || !std::strchr(buffer, 'e')))
            break;
    }
    return buffer;
}

std::string valueText(const ScriptFile::Value& value)
{
    struct {
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(int v) const { return std::to_string(v); }
        std::string operator()(float v) const { return text(v); }
        std::string operator()(const vell::vec3& v) const { return text(v.x) + " " + text(v.y) + " " + text(v.z); }
        std::string operator()(const vell::vec4& v) const
        {
            return text(v.x) + " " + text(v.y) + " " + text(v.z) + " " + text(v.w);
        }
    } visitor;
    return std::visit(visitor, value);
}

// Reads the lines of one script, one call per line.
class Parser {
public:
    explicit Parser(ScriptFile* file) : out(file) {}

    bool line(const std::string& raw, int number, std::string* error);
    bool finish(std::string* error);

private:
    bool fail(int line, const std::string& what, std::string* error) const
    {
        *error = out->fault(line, what);
        return false;
    }
    bool field(const std::vector<std::string>& tokens, int number, std::string* error);
    bool key(const std::vector<std::string>& tokens, int number, std::string* error);
    bool value(const std::vector<std::string>& numbers, size_t type, ScriptFile::Value* v, std::string* why) const;
    // A finished field must hold a key.
    bool closeField(std::string* error) const;

    ScriptFile* out;
    std::map<std::string, int> seen; // field name -> its line
};

bool Parser::line(const std::string& raw, int number, std::string* error)
{
    std::istringstream words(raw.substr(0, raw.find('#')));
    std::vector<std::string> tokens;
    for (std::string token; words >> token;)
        tokens.push_back(token);
    if (tokens.empty())
        return true;
    if (tokens[0] == "field")
        return field(tokens, number, error);
    return key(tokens, number, error);
}

bool Parser::closeField(std::string* error) const
{
    if (out->fields.empty() || !out->fields.back().keys.empty())
        return true;
    const ScriptFile::Field& f = out->fields.back();
    return fail(f.line, "field '" + f.name + "' has no keys", error);
}

bool Parser::finish(std::string* error)
{
    return closeField(error);
}

bool Parser::field(const std::vector<std::string>& tokens, int number, std::string* error)
{
    if (!closeField(error))
        return false;
    if (tokens.size() != 3)
        return fail(number, "a field line is 'field NAME TYPE'", error);
    const std::string& name = tokens[1];
    const auto [it, fresh] = seen.emplace(name, number);
    if (!fresh)
        return fail(number, "duplicate field '" + name + "' (first at line " + std::to_string(it->second) + ")",
                    error);
    ScriptFile::Field f{name, 0, number, {}};
    while (f.type < 5 && tokens[2] != ScriptFile::kTypeNames[f.type])
        ++f.type;
    if (f.type == 5)
        return fail(number, "unknown type '" + tokens[2] + "' (bool, int, float, vec3 or vec4)", error);
    out->fields.push_back(std::move(f));
    return true;
}

bool Parser::key(const std::vector<std::string>& tokens, int number, std::string* error)
{
    if (out->fields.empty())
        return fail(number, "a key before any 'field' line", error);
    ScriptFile::Field& f = out->fields.back();
    ScriptFile::Key k;
    k.line = number;
    if (!::number(tokens[0], &k.time))
        return fail(number, "bad time '" + tokens[0] + "'", error);
    if (!std::isfinite(k.time))
        return fail(number, "the time is not finite", error);
    if (!f.keys.empty() && k.time < f.keys.back().time)
        return fail(number, "times out of order: " + text(k.time) + " after " + text(f.keys.back().time), error);

    std::vector<std::string> values(tokens.begin() + 1, tokens.end());
    const bool isBool = f.type == 0;
    if (values.empty())
        return fail(number, isBool ? "a key is 'TIME true' or 'TIME false'" : "a key is 'TIME VALUE MODE'", error);
    std::string mode = isBool ? "step" : "";
    if (!isBool || values.size() > 1) {
        mode = values.back();
        values.pop_back();
    }
    float unused = 0;
    if (!isBool && ::number(mode, &unused) && std::isfinite(unused))
        return fail(number, "no mode after the value (" + std::string(kModeList) + ")", error);
    while (k.mode < 4 && mode != ScriptFile::kModeNames[k.mode])
        ++k.mode;
    if (k.mode == 4)
        return fail(number, "unknown mode '" + mode + "' (" + kModeList + ")", error);
    if (isBool && k.mode != 0)
        return fail(number, "bool keys are step keys, not " + mode, error);
    std::string why;
    if (!value(values, f.type, &k.value, &why))
        return fail(number, f.name + " is " + ScriptFile::kTypeNames[f.type] + ": " + why, error);
    f.keys.push_back(std::move(k));
    return true;
}

bool Parser::value(const std::vector<std::string>& numbers, size_t type, ScriptFile::Value* v,
                   std::string* why) const
{
    static const size_t components[] = {1, 1, 1, 3, 4};
    const size_t n = components[type];
    if (numbers.size() != n) {
        *why = type == 0   ? "a key holds true or false"
               : type <= 2 ? "a key holds one number, not " + std::to_string(numbers.size())
                           : "a key holds " + std::to_string(n) + " numbers, not " + std::to_string(numbers.size());
        return false;
    }
    if (type == 0) {
        if (numbers[0] != "true" && numbers[0] != "false") {
            *why = "a key holds true or false, not '" + numbers[0] + "'";
            return false;
        }
        *v = numbers[0] == "true";
        return true;
    }
    if (type == 1) {
        int i = 0;
        if (!number(numbers[0], &i)) {
            *why = "'" + numbers[0] + "' is no whole number in range";
            return false;
        }
        *v = i;
        return true;
    }
    float c[4] = {};
    for (size_t i = 0; i < n; ++i) {
        if (!number(numbers[i], &c[i]) || !std::isfinite(c[i])) {
            *why = "'" + numbers[i] + "' is no finite number";
            return false;
        }
    }
    if (type == 2)
        *v = c[0];
    else if (type == 3)
        *v = vell::vec3(c[0], c[1], c[2]);
    else
        *v = vell::vec4(c[0], c[1], c[2], c[3]);
    return true;
}

} // namespace

std::string ScriptFile::fault(int line, const std::string& what) const
{
    return vell::printableText(label + (line > 0 ? ":" + std::to_string(line) : "") + ": " + what);
}

bool ScriptFile::load(const std::string& path, ScriptFile* out, std::string* error)
{
    out->label = path;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return (*error = out->fault(0, std::string("cannot read it: ") + strerror(errno)), false);
    if (!S_ISREG(st.st_mode))
        return (*error = out->fault(0, "cannot read it: not a regular file"), false);
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxBytes)
        return (*error = out->fault(0, "cannot read it: larger than 16 MB"), false);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return (*error = out->fault(0, std::string("cannot read it: ") + strerror(errno)), false);
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return (*error = out->fault(0, "cannot read it: a read error"), false);
    return parse(text.str(), path, out, error);
}

bool ScriptFile::parse(const std::string& text, const std::string& name, ScriptFile* out, std::string* error)
{
    ScriptFile file;
    file.label = name;
    Parser parser(&file);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);)
        if (!parser.line(line, ++number, error))
            return false;
    if (!parser.finish(error))
        return false;
    *out = std::move(file);
    return true;
}

int ScriptFile::keyCount() const
{
    int n = 0;
    for (const Field& f : fields)
        n += static_cast<int>(f.keys.size());
    return n;
}

std::string ScriptFile::text() const
{
    std::string out =
        "# Quenfold script: animated fields of the demo and their keys.\n"
        "# 'field NAME TYPE' starts a field (TYPE: bool, int, float, vec3, vec4); each line\n"
        "# after it is one key, in time order: TIME VALUE MODE. VALUE is true or false, a\n"
        "# whole number, one number, or 3 or 4 numbers; MODE (step, linear, ease-in,\n"
        "# ease-out) is how the way to the next key runs. Bool keys are step keys and need\n"
        "# no mode. Fields left out keep the demo's own keys. '#' starts a comment.\n";
    for (const Field& f : fields) {
        out += "\nfield " + f.name + " " + kTypeNames[f.type] + "\n";
        for (const Key& k : f.keys) {
            out += "  " + ::text(k.time) + " " + valueText(k.value);
            out += f.type == 0 ? "\n" : std::string(" ") + kModeNames[k.mode] + "\n";
        }
    }
    return out;
}
