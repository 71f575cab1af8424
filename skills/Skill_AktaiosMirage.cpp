#include "skills/Skill_AktaiosMirage.h"

#include "characters/AnimationSet.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillWorldQueries.h"
#include "world/FxPak.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AktaiosMirage, Skill_SpawnPet);

Skill_AktaiosMirage::~Skill_AktaiosMirage() = default;

void Skill_AktaiosMirage::Load(const LoadTable& table)
{
    Skill_SpawnPet::Load(table);
    casterHintEffect = table.GetString("casterHintEffect", "");
}

bool Skill_AktaiosMirage::SetAvailability(bool ignoreMana, bool ignoreCooldown)
{
    // Never recast while a copy lives.
    return Skill_SpawnPet::SetAvailability(ignoreMana, ignoreCooldown) && pets.empty();
}

WorldCoords Skill_AktaiosMirage::GetNewCasterCoords(Character& caster,
                                                    std::vector<WorldVec3>& points)
{
    WorldCoords coords = caster.GetCoords();
    if (points.size() < 2)
        return coords;
    const int last = static_cast<int>(points.size()) - 1;
    const int drawn = std::clamp(GameEngine::Get().GetRandomGen().IGenerate(0, last), 0, last);
    WorldVec3 position = points[static_cast<size_t>(drawn)];
    position.TranslateToFloor(Vec3());
    coords.SetPosition(position);
    points.erase(points.begin() + drawn);
    return coords;
}

void Skill_AktaiosMirage::SetCasterCoords(Character& caster, const WorldCoords& coords)
{
    caster.TeleportToLocation(coords);
    if (AnimationSet* set = caster.GetAnimationSet())
        set->PlayAnimation(caster, AnimationSet_Spawn, Name(), 1.0f, false);
    if (casterHintEffect.empty())
        return;
    if (auto* hint = ObjectManager::Instance().CreateObjectFromFile<FxPak>(casterHintEffect)) {
        WorldCoords where = coords;
        where.ClearRotation();
        if (World* world = gEngine->GetWorld())
            world->AddEntity(hint, where, false);
    }
}

void Skill_AktaiosMirage::PostPetSpawned(Character& caster, Monster* pet)
{
    if (pet != nullptr)
        pet->SetUIActorDescriptionRedirectId(caster.GetObjectId());
}

void Skill_AktaiosMirage::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                           uint32_t targetId,
                                           const std::vector<WorldCoords>& coords,
                                           const std::vector<uint32_t>& ids, uint32_t seed)
{
    Skill_SpawnPet::SkillSpawnObject(owner, origin, targetId, coords, ids, seed);
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    for (Character* near : NearbyOfKind<Character>(owner, kConfusionRange)) {
        if (!near->IsAlive())
            continue;
        if (auto* monster = DynamicCast<Monster>(near)) {
            if (teams != nullptr && teams->IsFoe(owner.GetTeam(), monster->GetTeam())) {
                monster->ClearAnger();
                monster->GoIdle();
            }
        } else if (auto* player = DynamicCast<Player>(near)) {
            player->ClearTarget();
        }
    }
}

} // namespace GAME
