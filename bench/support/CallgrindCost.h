#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Instructions counted by callgrind in labelled windows, split into what the GL
// driver executes (everything reached through a GL or EGL entry point) and the rest,
// which is this program's own work, the C and C++ libraries included.
class CallgrindCost {
public:
    struct Window {
        std::string label;
        uint64_t total = 0;
        uint64_t driver = 0;
        uint64_t own() const { return total - driver; }
    };

    // This process runs under callgrind.
    static bool active();
    // Runs this program again under callgrind with one argument, its counts in
    // files starting with outPrefix; false (with the reason printed) on failure.
    static bool rerun(const char* argument, const std::string& outPrefix);
    // Counting on from zero; instructions before it are not counted.
    static void begin();
    // Writes the counts since begin() under label and stops counting.
    static void end(const char* label);
    // Every window the rerun wrote, in order.
    static std::vector<Window> read(const std::string& outPrefix);
    // One window's counts; false when the file cannot be read.
    static bool readFile(const std::string& path, Window& window);
};
