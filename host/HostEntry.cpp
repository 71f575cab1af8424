#include "host/HostEntry.h"

#include "host/GameHost.h"
#include "host/HostInterrupt.h"
#include "host/StandardOutput.h"

#include <cstring>
#include <exception>
#include <iostream>

#include <unistd.h>

namespace {

// Everything printed reached its place: a full disk or /dev/full fails the run, not silently,
// with the reason of the first write that failed, however long before the last it was.
bool OutputWritten(const GAME::StandardOutput& output)
{
    std::cout.flush();
    const int error = output.GetError();
    if (error == 0 && !std::cout.fail())
        return true;
    std::cerr << "gamehost: the output could not be written"
              << (error != 0 ? std::string(": ") + std::strerror(error) : std::string()) << '\n';
    return false;
}

} // namespace

extern "C" [[gnu::visibility("default")]] int GameHostMain(int argc, char** argv,
                                                           GameHostCaughtFn caughtWhileLoading)
{
    // This library's handlers take over from the executable's; a signal that came in between
    // was caught there and is carried over, so that none is lost.
    GAME::HostInterrupt::Install();
    if (const int early = caughtWhileLoading != nullptr ? caughtWhileLoading() : 0;
        early != 0 && GAME::HostInterrupt::Caught() == 0)
        GAME::HostInterrupt::Set(early);
    int status = 2;
    GAME::StandardOutput output(STDOUT_FILENO);
    std::streambuf* const standard = std::cout.rdbuf(&output);
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
    if (!OutputWritten(output) && status == 0)
        status = 2;
    std::cout.rdbuf(standard);
    return status;
}
