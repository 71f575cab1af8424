#include "host/HostInterrupt.h"

#include <csignal>
#include <string>

namespace GAME {

namespace {
volatile std::sig_atomic_t caught = 0;

void Catch(int signal)
{
    caught = signal;
}
} // namespace

void HostInterrupt::Install()
{
    struct sigaction action {};
    action.sa_handler = Catch;
    sigemptyset(&action.sa_mask);
    // The handler goes with the first signal: a second one is the player insisting.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    std::signal(SIGXFSZ, SIG_IGN);
    // A reader gone (`| head`) fails the write with EPIPE, told as output that cannot be written.
    std::signal(SIGPIPE, SIG_IGN);
}

int HostInterrupt::Caught()
{
    return caught;
}

void HostInterrupt::Set(int signal)
{
    caught = signal;
}

std::string HostInterrupt::Name(int signal)
{
    if (signal == SIGINT)
        return "SIGINT";
    if (signal == SIGTERM)
        return "SIGTERM";
    if (signal == SIGHUP)
        return "SIGHUP";
    return "signal " + std::to_string(signal);
}

} // namespace GAME
