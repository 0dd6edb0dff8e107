#pragma once

#include "anim/AnimatedField.h"
#include "anim/Track.h"
#include "script/ScriptFile.h"

#include <set>
#include <string>
#include <variant>
#include <vector>

// The demo's animated fields with the keys it built in. A script file gives
// the fields it names its own keys in the animation registry; the others keep
// (or get back) their built-in ones. Made right after the demo's init, before
// any frame has written a field.
class ScriptTracks {
public:
    explicit ScriptTracks(const std::vector<AnimatedField>& fields);

    // Checks every field of the file against the demo's (name, type), then
    // swaps the tracks that change; a field whose track changes first gets back
    // the value it had before any frame, so that before its first key it shows
    // what a fresh run would. False with "FILE:LINE: fault", nothing changed.
    bool apply(const ScriptFile& file, std::string* error);

    // The registry's keys for the demo's fields now, in the table's order.
    ScriptFile current() const;
    // Fields whose keys the last applied file changed from the built-in ones.
    const std::set<std::string>& changed() const { return changedNames; }
    // The last applied file's label; empty while the built-in keys play.
    const std::string& source() const { return sourceLabel; }

private:
    using AnyTrack = std::variant<Track<bool>, Track<int>, Track<float>, Track<vell::vec3>, Track<vell::vec4>>;
    struct Entry {
        AnimatedField field;
        AnyTrack builtIn;
        ScriptFile::Value initial;
    };

    std::vector<Entry> entries;
    std::set<std::string> changedNames;
    std::string sourceLabel;
};
