#include "host/ClientWatch.h"

#include "multiplayer/NetworkSession.h"

#include <sys/resource.h>

namespace GAME {

namespace {
// The most this process has held, in MB: what a load kept and what waits to be freed count too.
int64_t PeakMemoryMb()
{
    rusage usage{};
    return getrusage(RUSAGE_SELF, &usage) == 0 ? int64_t(usage.ru_maxrss) / 1024 : 0;
}
} // namespace

void ClientWatch::Begin(int64_t nowMs)
{
    startMs = heardMs = nowMs;
}

// A server that welcomed its client and then sends it no world, or stops half way through it,
// would hold it for as long as it keeps the link; one that sends more than a world would take
// the machine.
const std::string& ClientWatch::Judge(const NetworkSession& session, uint64_t heard, int64_t nowMs)
{
    if (!fault.empty())
        return fault;
    if (session.IsOverBound())
        Fault("the server made more than " + std::to_string(NetworkSession::kMaxSpawned) +
              " entities here");
    else if (PeakMemoryMb() > kMaxMemoryMb)
        Fault("this machine took more than " + std::to_string(kMaxMemoryMb) +
              " MB for the server's world");
    if (!fault.empty() || session.IsSpawnComplete())
        return fault;
    if (heard != messagesHeard) {
        messagesHeard = heard;
        heardMs = nowMs;
    }
    if (nowMs - heardMs >= kWorldSilenceMs)
        Fault("the server sent no world for " + std::to_string(kWorldSilenceMs / 1000) + " s");
    else if (nowMs - startMs >= kWorldMs)
        Fault("no whole world from the server within " + std::to_string(kWorldMs / 1000) + " s");
    return fault;
}

void ClientWatch::EndedEarly()
{
    Fault("the server ended the session before this machine had its whole world");
}

void ClientWatch::Fault(std::string why)
{
    if (fault.empty())
        fault = std::move(why);
}

} // namespace GAME
