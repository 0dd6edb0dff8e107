#include "FloorRace.h"

#include <algorithm>

namespace {

double roundSeconds(const std::function<void()>& frame, int frames)
{
    const auto t0 = std::chrono::steady_clock::now();
    for (int f = 0; f < frames; ++f)
        frame();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

} // namespace

FloorRace FloorRace::run(const std::function<void()>& ours, const std::function<void()>& floor, int rounds,
                         int framesPerRound)
{
    double bestOurs = 1e30, bestFloor = 1e30;
    for (int r = 0; r < rounds; ++r) {
        bestOurs = std::min(bestOurs, roundSeconds(ours, framesPerRound));
        bestFloor = std::min(bestFloor, roundSeconds(floor, framesPerRound));
    }
    FloorRace race;
    race.oursFps = framesPerRound / bestOurs;
    race.floorFps = framesPerRound / bestFloor;
    return race;
}
