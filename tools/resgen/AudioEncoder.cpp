#include "AudioEncoder.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>

extern char** environ;

namespace resgen {

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void put16(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(tag[i]));
}

} // namespace

std::vector<uint8_t> AudioEncoder::wavBytes(const std::vector<int16_t>& interleaved, int sampleRate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(interleaved.size() * 2);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 2); // stereo
    put32(out, static_cast<uint32_t>(sampleRate));
    put32(out, static_cast<uint32_t>(sampleRate) * 4);
    put16(out, 4);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (int16_t s : interleaved)
        put16(out, static_cast<uint16_t>(s));
    return out;
}

bool AudioEncoder::encodeMp3(const std::string& wavPath, const std::string& mp3Path)
{
    const char* argv[] = {"lame", "--quiet", "--cbr", "-b", "192", "-q", "2", "--noreplaygain",
                          wavPath.c_str(), mp3Path.c_str(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, "lame", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
        std::fprintf(stderr, "quenfold-resgen: cannot run lame\n");
        return false;
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "quenfold-resgen: lame failed on %s\n", wavPath.c_str());
        return false;
    }
    return true;
}

uint64_t AudioEncoder::hash(const std::vector<int16_t>& interleaved)
{
    uint64_t h = 1469598103934665603ull;
    for (int16_t s : interleaved) {
        const uint16_t u = static_cast<uint16_t>(s);
        for (int i = 0; i < 2; ++i) {
            h ^= static_cast<uint8_t>(u >> (8 * i));
            h *= 1099511628211ull;
        }
    }
    return h;
}

} // namespace resgen
