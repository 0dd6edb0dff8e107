#pragma once

#include <string>

// The process's one music player: each play() replaces whatever plays.
class MusicPlayer {
public:
    // Starts the file at startSeconds, after stopping and freeing the previous
    // music; false with the reason in *reason when it cannot. Without a sound
    // device it logs one line and plays silently, its position still advancing.
    static bool play(const std::string& path, double startSeconds, std::string* reason);
    // Position of the current music in seconds; negative when none plays.
    static double position();
    // Holds or continues the current music.
    static void setPaused(bool paused);
    // Moves the current music to seconds, starting it again if it has ended;
    // a paused music stays paused. False when there is none or it cannot move.
    static bool seek(double seconds);
    // Stops the music and closes the audio device; the next play opens it again.
    static void close();
};
