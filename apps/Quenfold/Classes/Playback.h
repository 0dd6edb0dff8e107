#pragma once

// Development controls of a GL screen: pause and seek move the frame clock
// and, for the demo, its music together.
class Playback {
public:
    static constexpr float kSeekSeconds = 5.0f;

    explicit Playback(bool withMusic) : music(withMusic) {}
    ~Playback(); // resumes
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    void togglePause();
    bool isPaused() const;
    // Moves the demo time by seconds through the clock shift, never before 0;
    // the music jumps to the new demo time.
    void seekBy(float seconds);
    // Moves the demo time to seconds (never before 0), the music with it.
    void seekTo(float seconds);

private:
    bool music;
};
