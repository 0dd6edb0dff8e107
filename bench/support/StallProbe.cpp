#include "StallProbe.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

namespace {

constexpr long kSleepNs = 1000000;
constexpr double kStallSeconds = 0.005;

double seconds(const timespec& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9; }

} // namespace

StallProbe::~StallProbe() { stop(); }

void StallProbe::start()
{
    stop();
    stalls.clear();
    const long cpus = std::max(1L, sysconf(_SC_NPROCESSORS_ONLN));
    perCpu.assign(static_cast<size_t>(cpus), {});
    running = true;
    atRealTime = true;
    for (long cpu = 0; cpu < cpus; ++cpu)
        threads.emplace_back(&StallProbe::watch, this, static_cast<int>(cpu), &perCpu[static_cast<size_t>(cpu)]);
}

void StallProbe::stop()
{
    running = false;
    for (std::thread& t : threads)
        t.join();
    threads.clear();
    std::vector<Stall> all;
    for (std::vector<Stall>& found : perCpu)
        all.insert(all.end(), found.begin(), found.end());
    perCpu.clear();
    std::sort(all.begin(), all.end(), [](const Stall& a, const Stall& b) { return a.from < b.from; });
    for (const Stall& s : all) {
        if (!stalls.empty() && s.from <= stalls.back().to)
            stalls.back().to = std::max(stalls.back().to, s.to);
        else
            stalls.push_back(s);
    }
}

void StallProbe::watch(int cpu, std::vector<Stall>* found)
{
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    pthread_setaffinity_np(pthread_self(), sizeof set, &set);
    sched_param priority{};
    priority.sched_priority = sched_get_priority_max(SCHED_FIFO) / 2;
    if (pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) != 0)
        atRealTime = false;
    timespec due;
    clock_gettime(CLOCK_MONOTONIC, &due);
    while (running) {
        due.tv_nsec += kSleepNs;
        if (due.tv_nsec >= 1000000000) {
            due.tv_nsec -= 1000000000;
            ++due.tv_sec;
        }
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr);
        timespec woke;
        clock_gettime(CLOCK_MONOTONIC, &woke);
        if (seconds(woke) - seconds(due) >= kStallSeconds)
            found->push_back({seconds(due), seconds(woke)});
        if (seconds(woke) > seconds(due))
            due = woke; // sleep from now on, not catch up
    }
}

bool StallProbe::stalledIn(double from, double to) const
{
    // Merged stalls do not overlap: the first that ends after from is the only candidate.
    const auto s = std::lower_bound(stalls.begin(), stalls.end(), from,
                                    [](const Stall& a, double t) { return a.to <= t; });
    return s != stalls.end() && s->from < to;
}

int StallProbe::countIn(double from, double to) const
{
    const auto byStart = [](const Stall& a, double t) { return a.from < t; };
    return static_cast<int>(std::lower_bound(stalls.begin(), stalls.end(), to, byStart) -
                            std::lower_bound(stalls.begin(), stalls.end(), from, byStart));
}

double StallProbe::longest() const
{
    double most = 0;
    for (const Stall& s : stalls)
        most = std::max(most, s.to - s.from);
    return most;
}

double StallProbe::stalledSeconds() const
{
    double total = 0;
    for (const Stall& s : stalls)
        total += s.to - s.from;
    return total;
}
