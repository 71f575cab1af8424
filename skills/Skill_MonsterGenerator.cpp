#include "skills/Skill_MonsterGenerator.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_MonsterGenerator, Skill);

namespace {
bool IsLivingCharacter(uint32_t id)
{
    const auto* character = ObjectManager::Instance().GetObject<Character>(id);
    return character != nullptr && character->IsAlive();
}
} // namespace

Skill_MonsterGenerator::Skill_MonsterGenerator()
{
    SetPrimary(false);
    SetSecondary(false);
}

Skill_MonsterGenerator::~Skill_MonsterGenerator() = default;

void Skill_MonsterGenerator::Update(Character& owner, int32_t /*elapsedMs*/)
{
    if (!owner.IsAlive() || spawnPending)
        return;
    SkillServicesBase* services = ServicesOf(*this);
    if (services == nullptr)
        return;
    if (!IsLivingCharacter(firstPetId)) {
        firstPetId = 0;
        SendSpawnPet(owner, *services, firstPetId, false);
    }
    if (IsLivingCharacter(secondPetId))
        return;
    secondPetId = 0;
    SendSpawnPet(owner, *services, secondPetId, true);
}

void Skill_MonsterGenerator::SendSpawnPet(Character& owner, SkillServicesBase& services,
                                          uint32_t& petId, bool second)
{
    // A record without companions has nothing to ask for.
    const uint32_t records = GetSkillProfile().GetNumberOfSpawnObjects();
    if (records == 0)
        return;
    petId = ObjectManager::Instance().CreateObjectID();
    spawnPending = true;
    const Coords& frame = owner.GetCoords().GetRegionCoords();
    const float side = second ? -2.0f : 2.0f;
    WorldVec3 position = owner.GetCoords().GetPosition();
    position.TranslateToFloor(frame.right * side + frame.forward * 2.0f);
    GameEngine& game = GameEngine::Get();
    // Every record with an equal chance; index 0 would name none.
    const auto index =
        static_cast<uint32_t>(game.GetRandomGen().IGenerate(1, static_cast<int>(records)));
    WorldCoords where = owner.GetCoords();
    where.SetPosition(position);
    services.SendSpawnObject(GetObjectId(), where, index, {where}, {petId},
                             static_cast<uint32_t>(game.GetRandomSeed()));
}

void Skill_MonsterGenerator::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                              uint32_t index,
                                              const std::vector<WorldCoords>& coords,
                                              const std::vector<uint32_t>& ids, uint32_t /*seed*/)
{
    spawnPending = false;
    if (IsSpawnListRefused(ids.size(), 1, "companions"))
        return;
    const SkillProfile& profile = GetSkillProfile();
    for (size_t i = 0; i < ids.size(); ++i) {
        if (!IsFreeSpawnId(ids[i]))
            continue;
        const WorldCoords& where = SpawnPlace(coords, i, origin);
        SpawnPetMonster(*this, owner, profile.GetSpawnObject(index), where, ids[i],
                        DynamicCast<Player>(&owner) != nullptr,
                        profile.GetSpawnObjectTimeToLive(GetCurrentLevel()));
    }
}

} // namespace GAME
