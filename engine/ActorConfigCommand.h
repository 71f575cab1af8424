#pragma once

#include <cstdint>
#include <memory>

namespace GAME {

class NetPacket;

// One change to an actor that every machine of a game makes alike. Whoever decides the change
// builds the command and hands it to `Actor::Enqueue`, which owns it from then on: it runs the
// command here and, for a networked command in a network game, sends its packet so that the
// other machines rebuild and run it too.
class ActorConfigCommand {
public:
    explicit ActorConfigCommand(uint32_t actorId) : actorId(actorId) {}
    virtual ~ActorConfigCommand();

    virtual void Execute() = 0;
    // A new packet carrying the command, or null for one that never travels.
    virtual std::unique_ptr<NetPacket> GetNetPacket() const = 0;

    uint32_t GetActorId() const { return actorId; }
    // Only a networked command travels; one rebuilt from a packet runs where it arrives.
    bool IsNetworked() const { return networked; }
    void SetNetworked(bool value) { networked = value; }

protected:
    // Commands that are copied (the fixed items') copy their actor and flag.
    ActorConfigCommand(const ActorConfigCommand&) = default;
    ActorConfigCommand& operator=(const ActorConfigCommand&) = default;

    uint32_t actorId = 0;
    bool networked = false;
};

} // namespace GAME
