#pragma once

#include <cstdio>
#include <string>

// The progress of a long render on stderr: frames done, frames a second and
// the time left. On a terminal one line is rewritten in place; otherwise a
// line is written at every tenth of the frames and at the end.
class ProgressLine {
public:
    ProgressLine(long long totalFrames, bool terminal, FILE* out = stderr);

    // After `done` frames (1 to total) in `elapsed` seconds.
    void update(long long done, double elapsed);

    // "frame 1290 / 12900 (10 %), 14.3 fps, 15:02 left"
    static std::string text(long long done, long long total, double elapsed);
    // Whether a line is written after `done` frames.
    bool due(long long done) const;

private:
    long long total;
    bool terminal;
    FILE* out;
    long long lastTenth = 0;
};
