#pragma once

#include "engine/NetPacket.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class CharacterActionPacket;
class Name;
class WorldVec3;
// The game defines the values; the engine only passes them along.
enum CharacterActionType : int32_t;

// The engine's base of everything a character can be told to do; the game's character actions
// derive from it, and the character action handler holds and filters them through it. The
// operations keep the order the game's actions override them in; the defaults are those of an
// action that does nothing and travels nowhere.
class CharacterAction {
public:
    CharacterAction() = default;
    CharacterAction(const CharacterAction&) = default;
    CharacterAction& operator=(const CharacterAction&) = default;
    virtual ~CharacterAction() = default;

    virtual void Execute() {}
    virtual void AnimationCallback(const Name& /*event*/) {}
    virtual void Finish() {}
    // The controller dropped this action while it still waited behind its pre-action.
    virtual void PendingActionAborted() {}
    virtual bool IsActive() const { return false; }
    // The packet that carries this action to other machines; the caller owns it.
    virtual std::unique_ptr<NetPacket> GetNetPacket() const { return nullptr; }
    virtual void SetPreMoveData(const WorldVec3& /*point*/, uint32_t /*targetId*/,
                                uint32_t /*skillId*/, float /*value*/)
    {}
    virtual void LoadPreMoveData(CharacterActionPacket* /*packet*/) const {}
    virtual bool SupportsNetwork() const { return false; }
    virtual CharacterActionType GetType() const { return static_cast<CharacterActionType>(0); }
    // The move that must run before this action; the caller owns it.
    virtual std::unique_ptr<CharacterAction> GetPreAction() const { return nullptr; }
    virtual float GetBlendTime() const { return 0.0f; }
    virtual uint32_t GetParentId() const { return 0; }
    virtual std::string ToString() const { return "(unset value)"; }
};

} // namespace GAME
