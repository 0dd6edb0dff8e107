#pragma once

#include "anim/AnimatedField.h"
#include "timeline/ScriptTrack.h"

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

class Effect;

// The script as the animation registry holds it: one lane per effect telling
// when it is enabled, and one row per other animated field. Fields are named
// from a table of names by address (the one the field lines use); a field the
// table lacks is named by its type and address.
class ScriptTimeline {
public:
    struct Lane {
        std::string name;
        // [from, to) in seconds: the frame times at which the effect is enabled.
        std::vector<std::pair<double, double>> spans;
        bool changed = false; // its keys come from a script file, not the built-in ones
        bool enabledAt(double t) const;
    };
    struct Row {
        std::string name;
        std::unique_ptr<ScriptTrack> track;
        bool changed = false; // its keys come from a script file, not the built-in ones
    };

    // Reads the registry now: values before a field's first key are the ones
    // its variable holds now. Spans are taken frame by frame at fps up to end.
    // Fields named in changed are marked as changed by a script file.
    static ScriptTimeline read(const std::vector<Effect*>& effects, const std::vector<AnimatedField>& names,
                               double end, int fps = 60, const std::set<std::string>& changed = {});

    std::vector<Lane> lanes; // in draw order
    std::vector<Row> rows;   // in the order of the table of names, then unnamed ones
    int keyCount = 0;        // keys of every track, lanes' included
    std::string scriptFile;  // the script file played; empty: the built-in keys
};
