#pragma once

#include <chrono>
#include <functional>

// An effect's frame against its floor's, timed in turns (rounds of frames each) in
// one process so both share the machine's load; fps is the best round's.
struct FloorRace {
    double oursFps = 0;
    double floorFps = 0;
    // How many times the floor's frame rate ours is below it.
    double ratio() const { return floorFps / oursFps; }

    static FloorRace run(const std::function<void()>& ours, const std::function<void()>& floor, int rounds,
                         int framesPerRound);
};
