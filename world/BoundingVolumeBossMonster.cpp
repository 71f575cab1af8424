#include "world/BoundingVolumeBossMonster.h"

#include "characters/Monster.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolumeBossMonster, BoundingVolumeMultiple);

BoundingVolumeBossMonster::BoundingVolumeBossMonster()
    : startDeathListener("GameEvent_CreatureStartDeath",
                         &BoundingVolumeBossMonster::OnCreatureStartDeath, this)
{}

BoundingVolumeBossMonster::~BoundingVolumeBossMonster() = default;

void BoundingVolumeBossMonster::Load(const LoadTable& table)
{
    BoundingVolumeMultiple::Load(table);
    musicName = table.GetString("bossEventMusic", "");
}

void BoundingVolumeBossMonster::UpdateSelf(int32_t elapsedMs)
{
    BoundingVolumeMultiple::UpdateSelf(elapsedMs);
    ++updateCount;
}

void BoundingVolumeBossMonster::OnEnterVolume(int index)
{
    if (index == 2)
        Jukebox::Instance().FadeOutMusic(5000);
}

void BoundingVolumeBossMonster::OnCreatureStartDeath(const GameEvent_GenericEntity& event)
{
    if (event.objectId != monsterId)
        return;
    if (ObjectManager::Instance().GetObject<Monster>(event.objectId) != nullptr)
        SetTriggered();
}

} // namespace GAME
