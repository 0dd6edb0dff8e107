#pragma once

#include <string>

// Runs build/quenfold-render as a user would, with its output captured.
struct RenderRun {
    int status = -1; // exit status, -1 when it did not exit normally
    std::string out;
};

// A shell command line with its standard output captured.
RenderRun runCommand(const std::string& command);

// prefix goes before the program on the shell line (environment settings).
RenderRun runRender(const std::string& args, bool withStderr = true, const std::string& prefix = "");
