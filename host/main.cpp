#include "host/HostEntry.h"
#include "host/HostInterrupt.h"

#include <cstdio>

#include <dlfcn.h>

// Set before any library starts up, not at main: a signal in the program's first milliseconds
// is then caught as any later one is, and a write to a closed pipe fails from the first byte.
[[gnu::used,
  gnu::section(".preinit_array")]] void (*const kInstallHandlers)() = GAME::HostInterrupt::Install;

int main(int argc, char** argv)
{
    // Loaded now rather than by the loader before the handlers could be set: placing the game
    // library is most of the program's start-up. Its calls are bound as they are first made, as
    // the loader would have: a run uses few of them.
    void* const host = dlopen(GAME::kHostLibrary, RTLD_LAZY | RTLD_LOCAL);
    const auto entry =
        host != nullptr ? reinterpret_cast<GameHostMainFn>(dlsym(host, GAME::kHostEntry)) : nullptr;
    if (entry == nullptr) {
        std::fprintf(stderr, "gamehost: the host library could not be loaded: %s\n", dlerror());
        return 2;
    }
    // What this program's handlers caught while the host loaded is handed over to the host's.
    return entry(argc, argv, GAME::HostInterrupt::Caught);
}
