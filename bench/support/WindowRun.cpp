#include "WindowRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

constexpr double kSampleSeconds = 0.05;
constexpr double kSlackSeconds = 60; // start-up and slow frames, beyond the frame clock's span

double monotonic()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The frame clock time of the log's last complete line, or -1.
double lastDemoTime(const std::string& path)
{
    std::ifstream in(path, std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    in.seekg(std::max<std::streamoff>(0, size - 4096));
    std::string line, last;
    while (std::getline(in, line))
        if (!in.eof() && !line.empty() && line[0] != '#')
            last = line;
    double shown = 0, demo = -1;
    std::istringstream(last) >> shown >> demo;
    return demo;
}

// The steal column of /proc/stat's first line, in seconds (0 where the kernel has none).
double stolenSeconds()
{
    std::ifstream stat("/proc/stat");
    std::string cpu;
    unsigned long long user, nice, system, idle, iowait, irq, softirq, steal = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
    return static_cast<double>(steal) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// A sampled figure at a monotonic time, interpolated between its samples.
template <class Field>
double sampledAt(const std::vector<WindowRun::Sample>& samples, double at, Field field)
{
    if (samples.empty())
        return 0;
    auto next = std::lower_bound(samples.begin(), samples.end(), at,
                                 [](const WindowRun::Sample& s, double t) { return s.at < t; });
    if (next == samples.begin())
        return field(*next);
    if (next == samples.end())
        return field(samples.back());
    const WindowRun::Sample& a = *(next - 1);
    const WindowRun::Sample& b = *next;
    return field(a) + (field(b) - field(a)) * (at - a.at) / (b.at - a.at);
}

std::string tail(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    return all.size() > 2000 ? all.substr(all.size() - 2000) : all;
}

} // namespace

bool WindowRun::run(const std::string& program, const std::vector<std::string>& args, const VirtualDisplay& display,
                    double untilDemoSeconds)
{
    frames.clear();
    samples.clear();
    char dir[] = "/tmp/quenfold-windowbench-XXXXXX";
    if (!mkdtemp(dir)) {
        error = std::string("cannot make a temporary folder: ") + strerror(errno);
        return false;
    }
    const std::string log = std::string(dir) + "/frames.txt", output = std::string(dir) + "/output.txt";
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.insert(argv.end(), {"--frame-log", log});

    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // gone with the benchmark, however it ends
        setenv("DISPLAY", display.name().c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        std::vector<char*> cargs;
        for (std::string& a : argv)
            cargs.push_back(a.data());
        cargs.push_back(nullptr);
        execv(program.c_str(), cargs.data());
        _exit(127);
    }
    if (child < 0) {
        error = std::string("cannot start ") + program + ": " + strerror(errno);
        return false;
    }
    stalls.start();
    const double deadline = monotonic() + untilDemoSeconds + kSlackSeconds;
    bool ended = false, done = false;
    int status = 0;
    for (int tick = 0; !done && !ended; ++tick) {
        std::this_thread::sleep_for(std::chrono::duration<double>(kSampleSeconds));
        samples.push_back({monotonic(), VirtualDisplay::cpuSeconds(display.pid()), stolenSeconds()});
        ended = waitpid(child, &status, WNOHANG) == child;
        // The log is written through a buffer: its time lags by a second or so.
        if (tick % 10 == 0)
            done = lastDemoTime(log) >= untilDemoSeconds || monotonic() > deadline;
    }
    if (!ended) {
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
    }
    stalls.stop();
    const bool ok = !ended && readLog(log) && !frames.empty() && frames.back().demo >= untilDemoSeconds;
    if (!ok && error.empty())
        error = std::string(ended ? "the program ended early" : "the frame clock did not reach the end in time") +
                "; its output:\n" + tail(output);
    std::remove(log.c_str());
    std::remove(output.c_str());
    rmdir(dir);
    return ok;
}

bool WindowRun::readLog(const std::string& path)
{
    std::ifstream in(path);
    if (!in) {
        error = "no frame log at " + path;
        return false;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        Frame f;
        if (!(std::istringstream(line) >> f.shown >> f.demo >> f.cpu >> f.presentMs)) {
            error = "unreadable frame log line: " + line;
            return false;
        }
        frames.push_back(f);
    }
    return true;
}

double WindowRun::serverCpuAt(double at) const
{
    return sampledAt(samples, at, [](const Sample& s) { return s.seconds; });
}

double WindowRun::stolenAt(double at) const
{
    return sampledAt(samples, at, [](const Sample& s) { return s.stolen; });
}
