#include "host/GameHost.h"
#include "host/HostInterrupt.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include <poll.h>
#include <unistd.h>

namespace {

// Everything printed reached its place: a full disk or /dev/full fails the run, not silently.
bool OutputWritten()
{
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    int error = errno;
    if (flushed && std::ferror(stdout) == 0 && !std::cout.fail())
        return true;
    // A write that failed earlier left no reason behind: a pipe whose reader is gone still says,
    // and a device that refuses every write (/dev/full) refuses an empty one too.
    pollfd output{STDOUT_FILENO, POLLOUT, 0};
    if (error == 0 && poll(&output, 1, 0) == 1 && (output.revents & POLLERR) != 0)
        error = EPIPE;
    if (error == 0 && write(STDOUT_FILENO, "", 0) < 0)
        error = errno;
    std::cerr << "gamehost: the output could not be written"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return false;
}

void InstallHandlers()
{
    GAME::HostInterrupt::Install();
}

} // namespace

// Set before any library starts up, not at main: a signal in the program's first milliseconds
// is then caught as any later one is, and a write to a closed pipe fails from the first byte.
[[gnu::used, gnu::section(".preinit_array")]] void (*const kInstallHandlers)() = InstallHandlers;

int main(int argc, char** argv)
{
    int status = 2;
    // The library reports failures as results; this only keeps a fault from aborting the host
    // without a word (running out of memory while loading a database, say).
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        status = GAME::GameHost::Run(args, std::cout, std::cerr);
    } catch (const std::exception& fault) {
        std::cerr << "gamehost: " << fault.what() << '\n';
    }
    if (const int signal = GAME::HostInterrupt::Caught(); signal != 0) {
        std::cerr << "gamehost: interrupted by " << GAME::HostInterrupt::Name(signal) << '\n';
        status = 128 + signal;
    }
    if (!OutputWritten() && status == 0)
        status = 2;
    return status;
}
