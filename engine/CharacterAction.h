#pragma once

namespace GAME {

// The engine's base of everything a character can be told to do; the game's character actions
// derive from it, and the character action handler holds and filters them through it.
class CharacterAction {
public:
    CharacterAction() = default;
    CharacterAction(const CharacterAction&) = default;
    CharacterAction& operator=(const CharacterAction&) = default;
    virtual ~CharacterAction() = default;
};

} // namespace GAME
