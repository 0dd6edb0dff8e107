#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

// Another program run with a pipe to its standard input or from its standard
// output. It runs in a process group of its own: a Ctrl-C reaches this
// program, which then ends the child itself.
class ChildProcess {
public:
    enum class Pipe { ToChild, FromChild };

    ChildProcess() = default;
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs args[0] (looked up in PATH) with args; fails at once, with the
    // reason, when it cannot be run.
    bool start(const std::vector<std::string>& args, Pipe direction, std::string* error);
    // Our end of the pipe, or -1.
    int pipe() const { return end; }
    void closePipe();
    // Closes the pipe and waits for the child; true when it exited with status
    // 0. An interruption cuts the wait short and leaves it to stop().
    bool finish();
    // Ends a child still running and reaps it.
    void stop();

private:
    pid_t child = -1;
    int end = -1;
};
