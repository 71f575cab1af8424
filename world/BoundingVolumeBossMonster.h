#pragma once

#include "world/BoundingVolumeMultiple.h"

#include <cstdint>

namespace GAME {

// The nested spheres around a boss monster, which carries them; they fall silent once the
// boss starts to die.
class BoundingVolumeBossMonster : public BoundingVolumeMultiple {
    GAME_DECLARE_CLASS(BoundingVolumeBossMonster)

public:
    BoundingVolumeBossMonster();
    ~BoundingVolumeBossMonster() override;

    void Load(const LoadTable& table) override;
    void UpdateSelf(int32_t elapsedMs) override;
    // The music fades as a player reaches the third sphere.
    void OnEnterVolume(int index) override;

    void SetMonsterId(uint32_t id) { monsterId = id; }
    uint32_t GetMonsterId() const { return monsterId; }
    const std::string& GetBossEventMusic() const { return musicName; }
    uint32_t GetUpdateCount() const { return updateCount; }

private:
    void OnCreatureStartDeath(const GameEvent_GenericEntity& event);

    uint32_t updateCount = 0;
    uint32_t monsterId = 0;
    EventHandler<BoundingVolumeBossMonster, GameEvent_GenericEntity> startDeathListener;
};

} // namespace GAME
