#pragma once

namespace GAME {

// A run stopped by Ctrl-C, a polite kill or its terminal's hang-up ends as a finished one does,
// only sooner: the frame loops stop at the next frame, the run prints what it has and the program
// exits with the signal's status (128 and its number).
class HostInterrupt {
public:
    // SIGINT, SIGTERM and SIGHUP mark the run interrupted; another one half a second or more
    // after the first ends the program at once, for a run stuck outside a frame loop, while one
    // that comes with the first (the same signal sent to the program and its group) is taken
    // as that one. SIGXFSZ and SIGPIPE are ignored, so that a
    // file-size limit or a reader gone fails a write (EFBIG, EPIPE) with a line saying so instead
    // of killing the program mid-save.
    static void Install();
    // The signal that asked the run to stop; 0 while none has.
    static int Caught();
    // As if `signal` had come; 0 forgets it.
    static void Set(int signal);
    // "SIGINT", "SIGTERM" or "SIGHUP", the only ones caught; "a signal" for any other. Plain
    // text: the program's executable needs no more than the C library.
    static const char* Name(int signal);
};

} // namespace GAME
