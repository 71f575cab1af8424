#include "engine/Engine.h"

#include "engine/ConnectionManager.h"
#include "engine/Entity.h"
#include "engine/NetworkEntityList.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace GAME {

namespace {
Engine gDefaultEngine;

void WriteToStderr(int level, const std::string& line)
{
    fprintf(stderr, "[%d] %s\n", level, line.c_str());
}
} // namespace

Engine* gEngine = &gDefaultEngine;

namespace {
// The peer's word being carried out on this thread, and the session's clock it came at.
thread_local uint32_t peerDepth = 0;
thread_local uint64_t peerNowMs = 0;
thread_local int peerHost = Engine::kNoPeer;
} // namespace

Engine::Engine()
    : sink(WriteToStderr), world(std::make_unique<World>()),
      connectionManager(std::make_unique<ConnectionManager>()),
      networkEntityList(std::make_unique<NetworkEntityList>())
{}

Engine::~Engine() = default;

void Engine::Log(int level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    LogArgs(level, format, args);
    va_end(args);
}

void Engine::LogCategory(uint32_t category, int level, const char* format, ...)
{
    if (!IsLogCategoryEnabled(category))
        return;
    va_list args;
    va_start(args, format);
    LogArgs(level, format, args);
    va_end(args);
}

void Engine::LogCounted(int level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    LogArgs(level, format, args, &countedLines, gameTime);
    va_end(args);
}

Engine::PeerWord::PeerWord(uint64_t nowMs, int peer) : outerMs(peerNowMs), outerPeer(peerHost)
{
    ++peerDepth;
    peerNowMs = nowMs;
    peerHost = peer;
}

Engine::PeerWord::~PeerWord()
{
    --peerDepth;
    peerNowMs = outerMs;
    peerHost = outerPeer;
}

int Engine::GetPeerHost()
{
    return peerDepth > 0 ? peerHost : kNoPeer;
}

bool Engine::IsPeerWord()
{
    return peerDepth > 0;
}

void Engine::TellPeerLines(uint64_t nowMs, bool all)
{
    const std::lock_guard<std::mutex> guard(countLock);
    peerLines.TellDue(nowMs, all, Writer());
}

void Engine::TellCounts()
{
    const std::lock_guard<std::mutex> guard(countLock);
    peerLines.TellDue(peerNowMs, true, Writer());
    countedLines.TellDue(gameTime, true, Writer());
}

void Engine::ForgetCounts()
{
    const std::lock_guard<std::mutex> guard(countLock);
    peerLines = CountedLog(true);
    countedLines = CountedLog();
}

// A line a peer caused is counted whatever asked for it.
void Engine::LogArgs(int level, const char* format, va_list args, CountedLog* counted,
                     uint64_t nowMs)
{
    if (format == nullptr || !sink)
        return;
    int peer = kNoPeer;
    if (peerDepth > 0) {
        counted = &peerLines;
        nowMs = peerNowMs;
        peer = peerHost;
    }
    char small[512];
    va_list again;
    va_copy(again, args);
    const int length = vsnprintf(small, sizeof(small), format, args);
    std::string line;
    if (length >= 0 && static_cast<size_t>(length) < sizeof(small)) {
        line.assign(small, length);
    } else if (length >= 0) {
        std::vector<char> large(static_cast<size_t>(length) + 1);
        vsnprintf(large.data(), large.size(), format, again);
        line.assign(large.data(), length);
    }
    va_end(again);
    if (length < 0)
        return;
    if (counted == nullptr) {
        Write(level, line);
        return;
    }
    const std::lock_guard<std::mutex> guard(countLock);
    counted->Line({format, peer}, level, line, nowMs, Writer());
}

CountedLog::Writer Engine::Writer()
{
    return [this](int level, const std::string& line) { Write(level, line); };
}

void Engine::Write(int level, const std::string& line)
{
    if (sink)
        sink(level, line);
}

Engine::LogSink Engine::SetLogSink(LogSink newSink)
{
    LogSink previous = std::move(sink);
    sink = std::move(newSink);
    return previous;
}

std::unique_ptr<World> Engine::SetWorld(std::unique_ptr<World> newWorld)
{
    std::swap(world, newWorld);
    return newWorld;
}

void Engine::UnloadWorld()
{
    world = std::make_unique<World>();
}

void Engine::SetNetworkMode(bool enabled, bool client)
{
    networkEnabled = enabled;
    networkClient = client;
}

void Engine::UnregisterForForcedUpdates(uint32_t objectId)
{
    const auto found = std::find(forcedUpdates.begin(), forcedUpdates.end(), objectId);
    if (found != forcedUpdates.end())
        forcedUpdates.erase(found);
}

// The world's frame already reached the entities placed in it.
void Engine::RunForcedUpdates(int32_t elapsedMs)
{
    const std::vector<uint32_t> ids = forcedUpdates;
    for (const uint32_t id : ids) {
        Entity* entity = ObjectManager::Instance().GetObject<Entity>(id);
        if (entity != nullptr && !entity->IsInWorld())
            entity->ForcedUpdate(elapsedMs);
    }
}

void Engine::RunFrame(int elapsedMs)
{
    if (elapsedMs > 0 && !gameTimePaused)
        gameTime += static_cast<uint64_t>(elapsedMs);
    if (world != nullptr)
        world->UpdateEntities(elapsedMs);
    RunForcedUpdates(elapsedMs);
    {
        const std::lock_guard<std::mutex> guard(countLock);
        countedLines.TellDue(gameTime, false, Writer());
    }
    ++frameCount;
    statisticGraph.Clear();
    statisticTexts.clear();
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace GAME
