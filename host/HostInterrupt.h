#pragma once

#include <string>

namespace GAME {

// A run stopped by Ctrl-C or a polite kill ends as a finished one does, only sooner: the frame
// loops stop at the next frame, the run prints what it has and the program exits with the
// signal's status (128 and its number).
class HostInterrupt {
public:
    // SIGINT and SIGTERM mark the run interrupted; a second one ends the program at once, for a
    // run stuck outside a frame loop. SIGXFSZ is ignored, so that a file-size limit fails a
    // write (EFBIG) with a line saying so instead of killing the program mid-save.
    static void Install();
    // The signal that asked the run to stop; 0 while none has.
    static int Caught();
    // As if `signal` had come; 0 forgets it.
    static void Set(int signal);
    // "SIGINT", "SIGTERM" or "signal N".
    static std::string Name(int signal);
};

} // namespace GAME
