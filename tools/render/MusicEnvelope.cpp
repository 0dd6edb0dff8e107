#include "MusicEnvelope.h"

#include "ChildProcess.h"
#include "Interruption.h"
#include "utils/Utils.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>

bool MusicEnvelope::decode(const std::string& path, std::string* error)
{
    samples.clear();
    ChildProcess ffmpeg;
    const std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-nostdin",
                                           "-i", path, "-vn", "-ac", "1", "-ar", std::to_string(kSampleRate),
                                           "-f", "s16le", "pipe:1"};
    if (!ffmpeg.start(args, ChildProcess::Pipe::FromChild, error))
        return false;
    std::vector<char> bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = read(ffmpeg.pipe(), buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR && !Interruption::requested())
            continue;
        if (n < 0) {
            *error = Interruption::requested() ? "interrupted" : std::string("cannot read ffmpeg: ") + strerror(errno);
            return false;
        }
        if (n == 0)
            break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    if (!ffmpeg.finish()) {
        *error = Interruption::requested() ? "interrupted" : "ffmpeg could not decode " + vell::printableText(path);
        return false;
    }
    samples.resize(bytes.size() / 2);
    memcpy(samples.data(), bytes.data(), samples.size() * 2); // little-endian, as the host
    return true;
}

MusicEnvelope::Level MusicEnvelope::level(double from, double to) const
{
    const auto index = [this](double t) {
        return static_cast<size_t>(std::clamp(std::floor(t * kSampleRate), 0.0, static_cast<double>(samples.size())));
    };
    const size_t first = index(from), last = index(to);
    Level out;
    if (first >= last)
        return out;
    double sum = 0;
    int peak = 0;
    for (size_t i = first; i < last; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        peak = std::max(peak, std::abs(static_cast<int>(samples[i])));
    }
    out.rms = static_cast<float>(std::sqrt(sum / static_cast<double>(last - first)) / 32768.0);
    out.peak = static_cast<float>(peak / 32768.0);
    return out;
}
