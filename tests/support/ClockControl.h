#pragma once

#include <string>

// Makes the next draw see a frame time of 0: the clock is advanced, then
// updated twice on the same reading.
void stopClock();

// Makes the next draw see one fixed step of frame time; returns it.
float stepClock();

// "<effect>-<time with two decimals>", the name of a golden frame.
std::string frameName(const char* effect, float time);
