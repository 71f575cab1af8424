#include "host/HostEntry.h"
#include "host/HostInterrupt.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <dlfcn.h>
#include <unistd.h>

namespace {

// Where the host library lies from this program's own folder: beside the game library in the
// build tree, in the library folder of an installed prefix. Set by the build.
constexpr const char* kHostFolders[] = {GAME_HOST_BUILD_FOLDER, GAME_HOST_INSTALL_FOLDER};

void* Unloaded(const char* why, const char* detail)
{
    std::fprintf(stderr, "gamehost: the host library could not be loaded: %s%s\n", why, detail);
    return nullptr;
}

// Opened by a full path made from this program's folder, as the loader makes $ORIGIN: a bare
// name is looked for along the search path of whoever calls dlopen, and under g++'s sanitizers
// that is the interceptor's, not this program's. The working folder is never searched.
void* OpenHost()
{
    char folder[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
    if (length <= 0)
        return Unloaded("this program's own folder is unknown: ", std::strerror(errno));
    folder[length] = '\0';
    // The kernel's name of a running program is absolute: it holds a slash.
    *std::strrchr(folder, '/') = '\0';
    char path[PATH_MAX];
    for (const char* place : kHostFolders) {
        const int size =
            std::snprintf(path, sizeof path, "%s/%s/%s", folder, place, GAME::kHostLibrary);
        if (size <= 0 || static_cast<size_t>(size) >= sizeof path || access(path, F_OK) != 0)
            continue;
        void* const host = dlopen(path, RTLD_LAZY | RTLD_LOCAL);
        return host != nullptr ? host : Unloaded("", dlerror());
    }
    std::fprintf(stderr,
                 "gamehost: the host library could not be loaded: no %s in %s/%s or %s/%s\n",
                 GAME::kHostLibrary, folder, kHostFolders[0], folder, kHostFolders[1]);
    return nullptr;
}

} // namespace

// Set before any library starts up, not at main: a signal in the program's first milliseconds
// is then caught as any later one is, and a write to a closed pipe fails from the first byte.
[[gnu::used,
  gnu::section(".preinit_array")]] void (*const kInstallHandlers)() = GAME::HostInterrupt::Install;

int main(int argc, char** argv)
{
    // Loaded now rather than by the loader before the handlers could be set: placing the game
    // library is most of the program's start-up. Its calls are bound as they are first made, as
    // the loader would have: a run uses few of them.
    void* const host = OpenHost();
    const auto entry =
        host != nullptr ? reinterpret_cast<GameHostMainFn>(dlsym(host, GAME::kHostEntry)) : nullptr;
    if (host != nullptr && entry == nullptr)
        Unloaded("", dlerror());
    if (entry == nullptr)
        return 2;
    // What this program's handlers caught while the host loaded is handed over to the host's.
    return entry(argc, argv, GAME::HostInterrupt::Caught);
}
