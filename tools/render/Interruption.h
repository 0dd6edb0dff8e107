#pragma once

// SIGINT, SIGTERM and SIGHUP end a run between frames: the handler only notes the
// signal, and the run stops, removes what it had not finished and keeps older
// files.
class Interruption {
public:
    // Installs the handler before anything else can claim the signals.
    static void install();
    static bool requested();
    // 128 + the signal's number: 130 for SIGINT, 143 for SIGTERM, 129 for SIGHUP.
    static int exitStatus();
};
