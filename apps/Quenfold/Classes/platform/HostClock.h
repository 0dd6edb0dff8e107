#pragma once

// Time source behind osGetTime: a monotonic clock, or (headless) a fixed
// step advanced once per frame so runs are deterministic.
class HostClock {
public:
    // Seconds since the origin (first reading of the monotonic clock, or 0).
    static double now();

    static void useFixedStep(double stepSeconds);
    static void useMonotonic();
    static bool isFixed();
    static void advance();          // one fixed step
    static void set(double seconds); // fixed mode: jump to a reading

    // While paused, now() holds still; after resume it goes on from there.
    static void pause();
    static void resume();
    // Moves now() forward by seconds (never back), as when it follows music
    // that went on while the program was busy.
    static void skip(double seconds);
    static bool isPaused();
    // Seconds since the origin, counting paused time too.
    static double unpaused();
};
