#include "characters/Ormenos.h"

#include "ai/ControllerOrmenos.h"
#include "characters/CharacterConfigCommands.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "skills/SkillWorldQueries.h"
#include "world/ProjectileTelekinesis.h"

#include <memory>

namespace GAME {

GAME_IMPLEMENT_CLASS(Ormenos, Monster);

Ormenos::~Ormenos() = default;

void Ormenos::Load(const LoadTable& table)
{
    Monster::Load(table);
    sickleExplosion = table.GetString("sickleExplosion", "");
}

void Ormenos::SaveState(BinaryWriter& writer) const
{
    Monster::SaveState(writer);
    writer.WriteUInt32(sickleExploded ? 1u : 0u);
}

bool Ormenos::RestoreState(BinaryReader& reader)
{
    if (!Monster::RestoreState(reader))
        return false;
    uint32_t exploded = 0;
    if (reader.ReadUInt32(exploded) && exploded != 0)
        UnequipAndExplodeSickle(false);
    return true;
}

void Ormenos::CharacterIsDying()
{
    Monster::CharacterIsDying();
    for (ProjectileTelekinesis* projectile :
         NearbyOfKind<ProjectileTelekinesis>(*this, kTelekinesisReach)) {
        if (projectile->IsIdle())
            projectile->Explode(true);
    }
}

void Ormenos::UnequipAndExplodeSickle(bool spawnExplosion)
{
    uint32_t sickle = 0;
    for (EquipLocations hand : {EquipLocations_RightHand, EquipLocations_LeftHand}) {
        for (const EquipManagerContainer& attached : GetAttachedItems()) {
            if (sickle == 0 && attached.location == hand)
                sickle = attached.itemId;
        }
    }
    if (sickle != 0) {
        Enqueue(std::make_unique<DetachItemConfigCmd>(GetObjectId(), sickle));
        Enqueue(std::make_unique<RemoveInventoryItemConfigCmd>(GetObjectId(), sickle));
    }
    ObjectManager& objects = ObjectManager::Instance();
    if (spawnExplosion && !sickleExplosion.empty()) {
        if (auto* explosion = objects.CreateObjectFromFile<Entity>(sickleExplosion)) {
            WorldCoords where = GetCoords();
            where.ClearRotation();
            if (World* world = gEngine->GetWorld())
                world->AddEntity(explosion, where, false);
        }
    }
    if (auto* controller = objects.GetObject<ControllerOrmenos>(GetControllerId()))
        controller->GoToIdleState();
    sickleExploded = true;
}

} // namespace GAME
