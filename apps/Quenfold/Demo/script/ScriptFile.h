#pragma once

#include "math/Vec.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// A script as text: animated fields by name, each with its type and its keys.
//
//   # a comment, to the end of the line
//   field Stars.alpha float      a field: name, type (bool, int, float, vec3, vec4)
//     107 0 linear               a key: time, value, mode (step, linear, ease-in, ease-out)
//     108 1 step
//   field Piramid.fillColor vec4
//     74 1 1 1 1 linear          vectors: 3 or 4 numbers
//   field PinkSky.enabled bool
//     11 true                    bools: true or false, always step (the mode may be left out)
//
// Keys come in time order (equal times allowed: the later key starts the next
// segment). Numbers are plain decimals; times and values must be finite.
class ScriptFile {
public:
    // In the order of AnimatedField::Address's types.
    using Value = std::variant<bool, int, float, vell::vec3, vell::vec4>;
    static const char* const kTypeNames[5];
    static const char* const kModeNames[4];
    static constexpr std::uintmax_t kMaxBytes = 16u << 20;

    struct Key {
        float time = 0;
        Value value;
        int mode = 0;
        int line = 0;
    };
    struct Field {
        std::string name;
        size_t type = 0; // index into kTypeNames
        int line = 0;
        std::vector<Key> keys;
    };

    // Reads and parses the file at path; false with "PATH:LINE: fault" (or
    // "PATH: fault") in *error.
    static bool load(const std::string& path, ScriptFile* out, std::string* error);
    // label names the text in messages and becomes the script's label.
    static bool parse(const std::string& text, const std::string& label, ScriptFile* out, std::string* error);

    // The text parse reads back to these fields, with a header on the format.
    std::string text() const;
    int keyCount() const;
    // "LABEL:LINE: what", printable.
    std::string fault(int line, const std::string& what) const;

    std::string label; // the file's name, for messages
    std::vector<Field> fields;
};
