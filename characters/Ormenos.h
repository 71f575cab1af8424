#pragma once

#include "characters/Monster.h"

#include <string>

namespace GAME {

// A boss that can lose its sickle in an explosion and remembers the loss in its level state.
class Ormenos : public Monster {
    GAME_DECLARE_CLASS(Ormenos)

public:
    Ormenos() = default;
    ~Ormenos() override;

    void Load(const LoadTable& table) override;
    // The monster's level state, then 1 when the sickle has gone, else 0.
    void SaveState(BinaryWriter& writer) const override;
    // A lost sickle is taken away again, without a second explosion.
    bool RestoreState(BinaryReader& reader) override;
    // Sets off the idle telekinesis objects lying round it.
    void CharacterIsDying() override;
    // Detaches and removes the hand item; with `spawnExplosion` the record's explosion shows.
    void UnequipAndExplodeSickle(bool spawnExplosion);
    bool IsSickleExploded() const { return sickleExploded; }

    static constexpr float kTelekinesisReach = 30.0f;

private:
    std::string sickleExplosion;
    bool sickleExploded = false;
};

} // namespace GAME
