#pragma once

#include <string>
#include <sys/types.h>

// A virtual X display of its own (Xvfb), started and stopped with the object.
class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts Xvfb with one screen of the given size at 24-bit depth on a free
    // display number; false with the reason in *error.
    bool start(int width, int height, std::string* error);
    // ":N" once started.
    const std::string& name() const { return displayName; }
    pid_t pid() const { return server; }

    // CPU seconds a process has run so far, its live threads summed (nanosecond counts).
    static double cpuSeconds(pid_t process);

private:
    void stop();

    pid_t server = -1;
    std::string displayName;
};
