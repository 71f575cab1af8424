#pragma once

namespace GAME {

struct PlayerSave_UISetting;

// What the host's user interface offers the player; supplied by the host, never owned here.
class PlayerGameInterface {
public:
    virtual ~PlayerGameInterface() = default;
    // The settings read from a character file, for the windows to take over.
    virtual void RestoreUISettings(PlayerSave_UISetting& settings) = 0;
};

} // namespace GAME
