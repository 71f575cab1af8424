#pragma once

#include "characters/Monster.h"

namespace GAME {

// The boss that burns a conduit: its level state remembers whether the bursts went out and
// whether the conduit is gone, so a reloaded level does not play the script again.
class Megalesios : public Monster {
    GAME_DECLARE_CLASS(Megalesios)

public:
    Megalesios() = default;
    ~Megalesios() override;

    // The monster's level state, then `launched` and `conduitDestroyed` as words.
    void SaveState(BinaryWriter& writer) const override;
    // A word the state lacks leaves its flag false; any non-zero word is true.
    bool RestoreState(BinaryReader& reader) override;

    bool IsLaunched() const { return launched; }
    void SetLaunched(bool value) { launched = value; }
    bool IsConduitDestroyed() const { return conduitDestroyed; }
    void SetConduitDestroyed(bool value) { conduitDestroyed = value; }

private:
    bool launched = false;
    bool conduitDestroyed = false;
};

// What the boss burns: a monster on the player's side, so the boss's foes do not strike it.
class MegalesiosConduit : public Monster {
    GAME_DECLARE_CLASS(MegalesiosConduit)

public:
    MegalesiosConduit() = default;
    ~MegalesiosConduit() override;

    void InitialUpdate() override;
};

} // namespace GAME
