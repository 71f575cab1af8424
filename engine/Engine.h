#pragma once

#include "engine/CountedLog.h"
#include "engine/DebugRenderManager.h"
#include "engine/GameInfo.h"
#include "engine/InputDevice.h"
#include "engine/Options.h"
#include "engine/PhysicsEngine.h"
#include "engine/StatisticGraph.h"

#include <cstdarg>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace GAME {

class ConnectionManager;
class NetworkEntityList;
class World;

// The engine object: the log, the mode flags, the frame loop's clock and count, and the game
// info and options. `gEngine` always points at one.
class Engine {
public:
    enum LogLevel { LogInfo = 0, LogData = 1, LogRuntime = 2 };
    using LogSink = std::function<void(int level, const std::string& line)>;

    Engine();
    virtual ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // printf-style; the line goes to the sink without a trailing newline added.
    void Log(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // Trace lines of one subsystem: written only when `category` is one of the enabled ones, so
    // a disabled trace costs a test and no formatting.
    void LogCategory(uint32_t category, int level, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    bool IsLogCategoryEnabled(uint32_t category) const
    {
        return (category & enabledLogCategories) != 0;
    }
    void SetLogCategories(uint32_t mask) { enabledLogCategories = mask; }
    // Returns the previous sink so that captures can nest.
    LogSink SetLogSink(LogSink sink);
    // A line that may come as fast as the game runs, told as a count on the game clock; what waits
    // is told by TellCounts at the end.
    void LogCounted(int level, const char* format, ...) __attribute__((format(printf, 3, 4)));

    // While a peer's message is carried out here, every line it causes is told as a count on
    // the session's clock (`nowMs`), all its kinds together: a peer that makes this machine log
    // as fast as it can send costs a line a second, not a line a message. Each peer's lines are
    // counted apart (`peer`, its host; kNoPeer when the sender is not known), so that one peer's
    // flood neither hides another's line nor is told in its words.
    static constexpr int kNoPeer = -1;
    class PeerWord {
    public:
        explicit PeerWord(uint64_t nowMs, int peer = kNoPeer);
        ~PeerWord();
        PeerWord(const PeerWord&) = delete;
        PeerWord& operator=(const PeerWord&) = delete;

    private:
        uint64_t outerMs;
        int outerPeer;
    };
    static bool IsPeerWord();
    // The host whose word is carried out now; kNoPeer outside one, or when not known.
    static int GetPeerHost();
    // The peer's lines waiting whose second has passed (`all`: every one).
    void TellPeerLines(uint64_t nowMs, bool all);
    // Every count still waiting, the peers' and the game clock's: a program's last word.
    void TellCounts();
    // The counts start afresh, the lines waiting forgotten: a test's own.
    void ForgetCounts();

    virtual bool IsLevelEditor() const { return levelEditor; }
    void SetLevelEditor(bool value) { levelEditor = value; }
    // The editor's play-in-level mode; like the editor itself, it shows no presentation extras.
    virtual bool IsEditorPlayMode() const { return editorPlayMode; }
    void SetEditorPlayMode(bool value) { editorPlayMode = value; }

    // The per-character debug data (paths, positions) is drawn only while this log is on.
    virtual bool IsCharacterDataLogEnabled() const { return characterDataLog; }
    void SetCharacterDataLogEnabled(bool value) { characterDataLog = value; }
    // While set, movers keep their path positions but leave the entities where they stand (a
    // host replaying positions from elsewhere, for one).
    virtual bool IsPositionUpdateSuppressed() const { return positionUpdateSuppressed; }
    void SetPositionUpdateSuppressed(bool value) { positionUpdateSuppressed = value; }

    bool IsNetworkEnabled() const { return networkEnabled; }
    bool IsNetworkClient() const { return networkEnabled && networkClient; }
    bool IsNetworkServer() const { return networkEnabled && !networkClient; }
    void SetNetworkMode(bool enabled, bool client);

    // One frame of the engine's own loop: the game clock advances, the world updates its
    // entities, the frame count rises and objects destroyed during the frame are deleted.
    void RunFrame(int elapsedMs);
    uint32_t GetFrameCount() const { return frameCount; }
    // Game time in milliseconds since start; what `GameTimer`s measure against.
    uint64_t GetGameTime() const { return gameTime; }
    // While paused the game clock stands still; frames still run.
    bool IsGameTimePaused() const { return gameTimePaused; }
    void SetGameTimePaused(bool value) { gameTimePaused = value; }
    // The keys the host reports held down.
    InputDevice& GetInputDevice() { return inputDevice; }

    GameInfo& GetGameInfo() { return gameInfo; }
    const GameInfo& GetGameInfo() const { return gameInfo; }
    Options& GetOptions() { return options; }

    // The world the game plays in: an empty one from the start. Callers still check for null,
    // since a host may take the world away between levels.
    World* GetWorld() const { return world.get(); }
    // Installs another world (null allowed) and hands back the previous one.
    std::unique_ptr<World> SetWorld(std::unique_ptr<World> newWorld);
    // Leaves the levels: the world starts over empty and its entities are in none.
    void UnloadWorld();
    // The record of a player's personal portal.
    const std::string& GetCinematicText() const { return cinematicText; }
    void SetCinematicText(const std::string& record) { cinematicText = record; }

    PhysicsEngine& GetPhysicsEngine() { return physicsEngine; }
    DebugRenderManager& GetDebugRenderManager() { return debugRenderManager; }

    // The network transport; always there, whatever the network mode.
    ConnectionManager& GetNetworkConnectionManager() { return *connectionManager; }

    // Objects updated every frame even out of sight, by object id in the order they asked; an id
    // registered twice is listed twice, and unregistering takes one of them away.
    void RegisterForForcedUpdates(uint32_t objectId) { forcedUpdates.push_back(objectId); }
    void UnregisterForForcedUpdates(uint32_t objectId);
    const std::vector<uint32_t>& GetForcedUpdates() const { return forcedUpdates; }

    // One bar of the debug display's graph; the bars last until the frame ends.
    void AddStatisticGraph(const std::string& name, float value, const Color& color)
    {
        statisticGraph.Add(name, value, color);
    }
    const StatisticGraph& GetStatisticGraph() const { return statisticGraph; }
    // A line of the debug display naming what runs; the lines last until the frame ends.
    void AddStatisticText(const std::string& text) { statisticTexts.push_back(text); }
    const std::vector<std::string>& GetStatisticTexts() const { return statisticTexts; }
    void ClearStatisticTexts() { statisticTexts.clear(); }

    // How far the frustum of a loading player is widened, so the regions just beyond his view
    // come in with the rest.
    float GetLevelLoadInflation() const { return levelLoadInflation; }
    void SetLevelLoadInflation(float value) { levelLoadInflation = value; }
    // While on, the engine streams whole regions instead of drawing; every switch is counted.
    void SetTeleportMode(bool value)
    {
        teleportMode = value;
        ++teleportModeSwitches;
    }
    bool IsTeleportMode() const { return teleportMode; }
    uint32_t GetTeleportModeSwitchCount() const { return teleportModeSwitches; }
    // The server's pass over the entities a host sees; the hosts asked for are recorded.
    void UpdateClientEntities(int32_t host) { clientEntityUpdates.push_back(host); }
    const std::vector<int32_t>& GetClientEntityUpdates() const { return clientEntityUpdates; }
    // What each remote host sees.
    NetworkEntityList& GetNetworkEntityList() { return *networkEntityList; }

private:
    void LogArgs(int level, const char* format, va_list args, CountedLog* counted = nullptr,
                 uint64_t nowMs = 0);
    void Write(int level, const std::string& line);
    CountedLog::Writer Writer();
    void RunForcedUpdates(int32_t elapsedMs);

    LogSink sink;
    // A machine's transport may run on a thread of its own (the tests' servers do).
    std::mutex countLock;
    CountedLog peerLines{true};
    CountedLog countedLines;
    uint32_t enabledLogCategories = 0;
    bool levelEditor = false;
    bool gameTimePaused = false;
    InputDevice inputDevice;
    bool editorPlayMode = false;
    bool characterDataLog = false;
    bool positionUpdateSuppressed = false;
    bool networkEnabled = false;
    bool networkClient = false;
    uint32_t frameCount = 0;
    uint64_t gameTime = 0;
    GameInfo gameInfo;
    Options options;
    StatisticGraph statisticGraph;
    PhysicsEngine physicsEngine;
    DebugRenderManager debugRenderManager;
    std::string cinematicText = "Records/Item/Teleporters/PersonalPortal.dbr";
    std::unique_ptr<World> world;
    std::unique_ptr<ConnectionManager> connectionManager;
    std::vector<uint32_t> forcedUpdates;
    std::vector<std::string> statisticTexts;
    float levelLoadInflation = 10.0f;
    bool teleportMode = false;
    uint32_t teleportModeSwitches = 0;
    std::vector<int32_t> clientEntityUpdates;
    std::unique_ptr<NetworkEntityList> networkEntityList;
};

extern Engine* gEngine;

} // namespace GAME
