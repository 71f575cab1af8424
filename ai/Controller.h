#pragma once

#include "engine/Object.h"

#include <cstdint>

namespace GAME {

// The engine's base of every controller: an object that drives one character, known to it by
// the character's object id.
class Controller : public Object {
    GAME_DECLARE_CLASS(Controller)

public:
    Controller() = default;
    ~Controller() override = default;

    // Virtual operations, in the order of their slots (after those of `Object`).
    virtual void AttachParent(uint32_t id);
    virtual void PostParentAttached() {}

    uint32_t GetParentId() const { return parentId; }
    // A controller handed over to another character keeps its state; no attach steps run.
    void SetParentId(uint32_t id) { parentId = id; }

private:
    uint32_t parentId = 0;
};

} // namespace GAME
