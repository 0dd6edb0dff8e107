#pragma once

#include <string>

class Mirande;

// The timeline picture of a demo just initialised: its script read from the
// animation registry, the music's loudness decoded beneath.
class TimelineOutput {
public:
    // Writes the PNG through a temporary; false with the reason when it cannot.
    // Music that cannot be decoded is said on stderr and in the picture.
    static bool write(const Mirande& demo, const std::string& path, std::string* error);
};
