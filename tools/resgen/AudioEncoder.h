#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

// Writes 16-bit stereo PCM as WAV and encodes it to MP3 with the lame command.
class AudioEncoder {
public:
    static std::vector<uint8_t> wavBytes(const std::vector<int16_t>& interleaved, int sampleRate);
    // Constant bit rate and no ID3 tag, so equal input gives equal bytes.
    static bool encodeMp3(const std::string& wavPath, const std::string& mp3Path);
    // FNV-1a of the samples, printed by the generator so runs can be compared without encoding.
    static uint64_t hash(const std::vector<int16_t>& interleaved);
};

} // namespace resgen
