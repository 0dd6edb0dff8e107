#pragma once

#include <atomic>
#include <thread>
#include <vector>

// One thread pinned to each CPU at real-time priority, asleep 1 ms at a time,
// that records every wake-up more than 2 ms late: for that long the CPU ran
// nothing of this machine (its hypervisor held it, or the kernel did), so a
// frame shown late across such a stall waited for the machine, not for the
// program. Without the right to real-time priority the threads run at normal
// priority, and then also see the program's own load.
class StallProbe {
public:
    struct Stall {
        double from = 0, to = 0; // monotonic seconds: when it should have woken, when it did
    };

    ~StallProbe();
    void start();
    void stop();
    bool realTime() const { return atRealTime; }
    // The longest stall that overlaps [from, to], in seconds (after stop()).
    double longestIn(double from, double to) const;

private:
    void watch(int cpu, std::vector<Stall>* found);

    std::atomic<bool> running{false};
    std::atomic<bool> atRealTime{true};
    std::vector<std::thread> threads;
    std::vector<std::vector<Stall>> perCpu;
    std::vector<Stall> stalls; // all of them, by start
};
