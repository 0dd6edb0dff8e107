#include "ProgressLine.h"

#include <algorithm>
#include <cmath>

ProgressLine::ProgressLine(long long totalFrames, bool onTerminal, FILE* stream)
    : total(std::max(1LL, totalFrames)), terminal(onTerminal), out(stream)
{
}

std::string ProgressLine::text(long long done, long long total, double elapsed)
{
    const double fps = elapsed > 0 ? static_cast<double>(done) / elapsed : 0.0;
    char left[32] = "--:-- left";
    if (fps > 0) {
        const long long seconds = std::llround(static_cast<double>(total - done) / fps);
        if (seconds >= 3600)
            snprintf(left, sizeof left, "%lld:%02lld:%02lld left", seconds / 3600, seconds / 60 % 60, seconds % 60);
        else
            snprintf(left, sizeof left, "%02lld:%02lld left", seconds / 60, seconds % 60);
    }
    char line[128];
    snprintf(line, sizeof line, "frame %lld / %lld (%lld %%), %.1f fps, %s", done, total, done * 100 / total, fps,
             left);
    return line;
}

bool ProgressLine::due(long long done) const
{
    if (done >= total)
        return true;
    return terminal || done * 10 / total > lastTenth;
}

void ProgressLine::update(long long done, double elapsed)
{
    if (!due(done))
        return;
    lastTenth = done * 10 / total;
    const std::string line = text(done, total, elapsed);
    if (terminal)
        fprintf(out, "\r%s\033[K%s", line.c_str(), done >= total ? "\n" : "");
    else
        fprintf(out, "%s\n", line.c_str());
    fflush(out);
}
