#pragma once

#include <atomic>
#include <thread>
#include <vector>

// One thread pinned to each CPU at real-time priority, asleep 1 ms at a time,
// that records every wake-up 5 ms or more late: for that long the CPU ran
// nothing of this machine (its hypervisor held it, or the kernel did). A
// virtual machine's steal time need not show these stalls. Without the right
// to real-time priority the threads run at normal priority, and then also see
// the machine's own load.
class StallProbe {
public:
    ~StallProbe();
    void start();
    void stop();
    bool realTime() const { return atRealTime; }
    // After stop(): whether a stall overlaps [from, to], and how many began in it.
    bool stalledIn(double from, double to) const;
    int countIn(double from, double to) const;
    int count() const { return static_cast<int>(stalls.size()); }
    double longest() const;
    double stalledSeconds() const;

private:
    struct Stall {
        double from = 0, to = 0; // monotonic seconds: when a CPU should have woken, when it did
    };
    void watch(int cpu, std::vector<Stall>* found);

    std::atomic<bool> running{false};
    std::atomic<bool> atRealTime{true};
    std::vector<std::thread> threads;
    std::vector<std::vector<Stall>> perCpu;
    std::vector<Stall> stalls; // by start, those of several CPUs at once merged into one
};
