#pragma once

#include <chrono>
#include <ctime>
#include <string>
#include <sys/types.h>

// Notices when a file is saved: looks at its identity, size and modification
// time every kLookSeconds, and reports a change once two looks in a row agree,
// so a save still being written is not taken half-done.
class FileWatcher {
public:
    static constexpr double kLookSeconds = 0.05;

    // Takes the file as it is now as seen.
    explicit FileWatcher(std::string path);

    // True, once, when the file has changed since it was last reported (or
    // since construction) and held still for one look.
    bool changed();
    // When the file was last modified as last looked at, seconds since the
    // epoch (the clock of file times); 0 when it was missing.
    double modified() const;

private:
    struct Look {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec time{};
        bool operator==(const Look& o) const;
    };
    Look look() const;

    std::string path;
    Look reported;
    Look last;
    std::chrono::steady_clock::time_point nextLook;
};
