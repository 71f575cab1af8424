// Preloaded into the program (LD_PRELOAD), this raises SIGTERM as the program starts: after its
// own handlers are set, before it loads the host and the game, as a player's signal may come.
#include <csignal>

[[gnu::constructor]] static void RaiseAtStart()
{
    std::raise(SIGTERM);
}
