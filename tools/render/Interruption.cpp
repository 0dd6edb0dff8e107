#include "Interruption.h"

#include <csignal>

namespace {

volatile sig_atomic_t caught = 0;

void note(int signal)
{
    caught = signal;
}

} // namespace

void Interruption::install()
{
    struct sigaction action = {};
    action.sa_handler = note;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0; // no SA_RESTART: a blocking wait returns to look at the flag
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal ends the run the same way, unless it runs under nohup.
    struct sigaction hangup = {};
    if (sigaction(SIGHUP, nullptr, &hangup) == 0 && hangup.sa_handler != SIG_IGN)
        sigaction(SIGHUP, &action, nullptr);
}

bool Interruption::requested()
{
    return caught != 0;
}

int Interruption::exitStatus()
{
    return 128 + caught;
}
