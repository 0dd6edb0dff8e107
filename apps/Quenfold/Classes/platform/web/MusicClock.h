#pragma once

// The demo clock follows the page's music: held from the moment the music is
// asked for until the page hears it playing, held again while it waits for
// data, and moved forward when the music has run ahead (the page heard of it
// late, or frames took long).
class MusicClock {
public:
    static constexpr double kLead = 0.02; // seconds the music may lead the clock

    // The music was asked to play from startSeconds: the clock holds.
    static void started(double startSeconds);
    // Once per frame of the demo, with the music at position seconds
    // (negative when none plays).
    static void follow(double position);
};
