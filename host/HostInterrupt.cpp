#include "host/HostInterrupt.h"

#include <atomic>
#include <csignal>
#include <cstdint>
#include <ctime>

namespace GAME {

namespace {
// A signal sent to the program and then to its group (as `timeout` sends it) arrives twice
// within microseconds; a player insisting presses again well after the run could have stopped.
constexpr int64_t kAgainAfterMs = 500;

std::atomic<int> caught{0};
// When the first signal came, in the monotonic clock's milliseconds; 0 while none has.
std::atomic<int64_t> firstAt{0};

static_assert(std::atomic<int>::is_always_lock_free && std::atomic<int64_t>::is_always_lock_free,
              "the handler may only touch lock-free atomics");

int64_t NowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    // Never 0, which means no signal yet.
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000 + 1;
}

void Catch(int signal)
{
    const int64_t now = NowMs();
    int64_t none = 0;
    if (firstAt.compare_exchange_strong(none, now)) {
        caught = signal;
        return;
    }
    if (now - none < kAgainAfterMs)
        return;
    // The player insisting: the run is stuck outside a frame loop, or he will not wait for it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}
} // namespace

void HostInterrupt::Install()
{
    struct sigaction action {};
    action.sa_handler = Catch;
    // One handler at a time, whichever of the three came: the first is told apart from the rest.
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
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
    firstAt = signal != 0 ? NowMs() : 0;
    caught = signal;
}

const char* HostInterrupt::Name(int signal)
{
    if (signal == SIGINT)
        return "SIGINT";
    if (signal == SIGTERM)
        return "SIGTERM";
    if (signal == SIGHUP)
        return "SIGHUP";
    return "a signal";
}

} // namespace GAME
