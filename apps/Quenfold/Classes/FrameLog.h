#pragma once

#include <cstdio>
#include <string>

// One line per presented frame, for measuring the window from outside:
//   shown  demo  cpu  present
// shown: monotonic clock (CLOCK_MONOTONIC) in seconds just after the frame went
// to the display; demo: the frame clock's time in seconds; cpu: the process's
// CPU time in seconds (all threads); present: the CPU milliseconds the
// presentation itself took (scaling and handing the frame to the display).
class FrameLog {
public:
    FrameLog() = default;
    ~FrameLog();
    FrameLog(const FrameLog&) = delete;
    FrameLog& operator=(const FrameLog&) = delete;

    // False with the reason in *error when the file cannot be written.
    bool open(const std::string& path, std::string* error);
    bool isOpen() const { return file != nullptr; }
    void record(float demoSeconds, double presentCpuSeconds);

    // The process's CPU time in seconds, all threads.
    static double processCpuSeconds();

private:
    void close();

    FILE* file = nullptr;
    std::string path; // printable, for messages
};
