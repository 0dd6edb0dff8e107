#pragma once

#include <string>

// The process's one music player: each play() replaces whatever plays.
class MusicPlayer {
public:
    // Starts the file at startSeconds, after stopping and freeing the previous
    // music; false with the reason in *reason when it cannot.
    static bool play(const std::string& path, double startSeconds, std::string* reason);
    // Position of the current music in seconds; negative when none plays.
    static double position();
};
