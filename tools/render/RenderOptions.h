#pragma once

#include <string>
#include <vector>

// Command line of quenfold-render.
class RenderOptions {
public:
    enum class Mode { List, Demo, Effect };

    static constexpr double kMaxTime = 3600.0; // seconds
    static constexpr int kMaxFps = 1000;

    // False with a one-line message in *error when the arguments are unusable.
    bool parse(int argc, const char* const* argv, std::string* error);
    static const char* usage();

    // Frame index (0 = first frame) drawn at demo time t.
    long long frameAt(double t) const;
    // "<prefix>-<t with two decimals>.png"
    std::string fileName(double t) const;

    Mode mode = Mode::List;
    std::string effectName;
    std::vector<double> times; // sorted, no duplicates
    std::string outDir;
    int fps = 60;

private:
    bool checkFileNames(std::string* error) const;
};
