#pragma once

#include "characters/Monster.h"

#include <string>

namespace GAME {

// A boss that can lose its sickle in an explosion. So far the loss itself.
class Ormenos : public Monster {
    GAME_DECLARE_CLASS(Ormenos)

public:
    Ormenos() = default;
    ~Ormenos() override;

    void Load(const LoadTable& table) override;
    // Detaches and removes the hand item; with `spawnExplosion` the record's explosion shows.
    void UnequipAndExplodeSickle(bool spawnExplosion);
    bool IsSickleExploded() const { return sickleExploded; }

private:
    std::string sickleExplosion;
    bool sickleExploded = false;
};

} // namespace GAME
