#pragma once

#include <string>
#include <vector>

class Mirande;
class ScriptFile;

// The demo's script cut into sections: spans in which the same effects draw in
// the same looks, at the benchmarks' 60 frames per second.
namespace DemoSections {

constexpr int fps = 60;
constexpr int demoFrames = 210 * fps;

struct Section {
    std::string name;
    int firstFrame = 0;
    int frames = 0;
    double seconds = 0;
    unsigned long long warmAllocations = 0;
    int warmFrames = 0;
    double worstSeconds = 0;
    int worstFrame = 0;
};

// The effects drawing, with the look of those that have several; the fade is always there.
std::string name(const Mirande& app);
// Counts frame into the last section, or starts a new one when the name changed.
void note(std::vector<Section>& sections, const std::string& name, int frame);
// The sections, found by stepping the script alone; this leaves the fields at the
// script's end, so a benchmark calls it in a process of its own (or before its run).
// With a script file, its keys replace the built-in ones of its fields; one the
// demo refuses gives no sections and the reason in *error.
std::vector<Section> fromScript(const ScriptFile* script = nullptr, std::string* error = nullptr);
// The first frame of each section, from this program run again with the
// argument --section-starts, which must print fromScript() with printStarts().
std::vector<int> startsFromChild();
void printStarts();

} // namespace DemoSections
