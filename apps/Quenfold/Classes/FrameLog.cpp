#include "FrameLog.h"

#include "utils/Utils.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

double seconds(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

} // namespace

FrameLog::~FrameLog()
{
    close();
}

bool FrameLog::open(const std::string& logPath, std::string* error)
{
    close();
    file = fopen(logPath.c_str(), "w");
    if (!file) {
        *error = "cannot write the frame log '" + vell::printableText(logPath) + "': " + strerror(errno);
        return false;
    }
    path = vell::printableText(logPath);
    fputs("# shown demo cpu present\n", file);
    return true;
}

void FrameLog::record(float demoSeconds, double presentCpuSeconds)
{
    if (!file)
        return;
    const double shown = seconds(CLOCK_MONOTONIC);
    if (fprintf(file, "%.6f %.4f %.6f %.3f\n", shown, static_cast<double>(demoSeconds), processCpuSeconds(),
                presentCpuSeconds * 1000.0) < 0) {
        fprintf(stderr, "quenfold: the frame log '%s' could not be written (%s); it stops here\n", path.c_str(),
                strerror(errno));
        fclose(file);
        file = nullptr;
    }
}

double FrameLog::processCpuSeconds()
{
    return seconds(CLOCK_PROCESS_CPUTIME_ID);
}

void FrameLog::close()
{
    if (file && fclose(file) != 0)
        fprintf(stderr, "quenfold: the frame log '%s' could not be completed (%s)\n", path.c_str(), strerror(errno));
    file = nullptr;
}
