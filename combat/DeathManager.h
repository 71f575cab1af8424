#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

class Character;
class DeathHandler;
class Name;

// A character's death handlers, in the order its record asks for them: the manager owns them,
// starts them together when the character dies and ends the death when each has finished.
// Idle, then running from `Execute`, done after `PostProcess`, idle again on `Reset`.
class DeathManager {
public:
    explicit DeathManager(Character* owner);
    // Deletes the handlers in the order they were added.
    virtual ~DeathManager();
    DeathManager(const DeathManager&) = delete;
    DeathManager& operator=(const DeathManager&) = delete;

    // Appends; null is ignored.
    void AddHandler(std::unique_ptr<DeathHandler> handler);

    void Execute();
    // Only while running.
    void Update(int32_t elapsedMs);
    // Forwarded whatever the state: the animation may call back after the death is done.
    void AnimationCallback(const Name& name);
    void ExternalEvent(const Name& name);
    // Only while running: true once every handler has finished (at once with none).
    bool IsFinished() const;
    // The handlers clean up once per death; the owner hears of its death every time.
    void PostProcess();
    void Reset();
    void PreLoad();

    // One fresh id for each handler that needs one, in their order.
    std::vector<uint32_t> CreateObjectIds() const;
    // Hands the ids out in order to the handlers that need one. A short list leaves the rest
    // with 0 (they make nothing); ids beyond the need are ignored.
    void SetObjectIds(const std::vector<uint32_t>& ids);

    const std::vector<std::unique_ptr<DeathHandler>>& GetHandlers() const { return handlers; }

private:
    Character* owner;
    std::vector<std::unique_ptr<DeathHandler>> handlers;
    bool started = false;
    bool finished = false;
};

} // namespace GAME
