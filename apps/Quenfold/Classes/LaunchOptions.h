#pragma once

#include "PresenterChoice.h"

#include <string>

// Command line of quenfold.
class LaunchOptions {
public:
    // False with a message in *error when the arguments are unusable
    // (an unknown effect name lists the registered ones).
    bool parse(int argc, const char* const* argv, std::string* error);
    static const char* usage();

    std::string effectName; // empty: the demo
    int scale = 0;          // content scale 1 to 4; 0: chosen at start
    PresenterChoice::Request present = PresenterChoice::Request::Default;
    bool developer = false; // pause, seek, shader reload, help line
    std::string frameLog;   // empty: none; else a line per presented frame goes there
    std::string scriptPath; // empty: none; else a script file whose keys the demo plays
    bool help = false;
    bool version = false;
};
