#pragma once

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Skill;
class SkillServicesBase;

// The objects of a kind within `radius` of `centre`; none without a world.
template <typename T> std::vector<T*> NearbyOfKind(const WorldVec3& centre, float radius)
{
    std::vector<T*> found;
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return found;
    std::vector<Entity*> entities;
    world->GetEntitiesInSphere(entities, centre.GetRegion(), centre.GetRegionPosition(), radius);
    for (Entity* entity : entities) {
        if (T* typed = DynamicCast<T>(entity))
            found.push_back(typed);
    }
    return found;
}

template <typename T> std::vector<T*> NearbyOfKind(const Character& owner, float radius)
{
    return NearbyOfKind<T>(owner.GetCoords().GetPosition(), radius);
}

// A spawn message may come from a peer: a list longer than the kind ever sends is refused whole,
// with one line, so a forged message cannot make objects without bound.
bool IsSpawnListRefused(size_t count, size_t most, const char* what);

// An id that names a living object would make the new one clash with it.
bool IsFreeSpawnId(uint32_t id);

// The i-th place of a spawn message, or its origin when the places run out first.
const WorldCoords& SpawnPlace(const std::vector<WorldCoords>& coords, size_t index,
                              const WorldCoords& origin);

// Tells the character's controller to kill it; false when there is no character to kill.
bool KillThroughController(uint32_t id);

class Bonus;
// The life, mana and effect the skill's level gives.
Bonus LevelBonus(const Skill& skill);

class LineEffect;
// Draws a beam that grows over its length while progress runs to 1, then fades from one end
// until 2; past 2 nothing shows. True once the beam is done.
bool DrawBeamProgress(LineEffect& beam, float progress);

// Into the world at `where`, out of it first when it stands in one.
void PutBackInWorld(Entity& entity, const WorldCoords& where);

// Out of the world and destroyed; null does nothing.
void RemoveAndDestroy(Entity* entity, const char* file, int line);

class LoadTable;
// A record's rate; one that is not a finite number is logged and gives the default.
float RecordRate(const LoadTable& table, const char* key, float fallback);

class Monster;
// A monster made for the caster under the id (logged when the record makes none): the skill's
// target effect, joined to the caster when asked, the caster's anger when it is a monster, the
// lifetime when above 0, then in the world and started.
Monster* SpawnPetMonster(Skill& skill, Character& caster, const std::string& record,
                         const WorldCoords& where, uint32_t id, bool join, int32_t lifetime);

// Hands the target's controller the buff, at the skill's level and with its modifiers.
void SendBuffTransfer(const Skill& skill, const Character& caster, Character& target,
                      const std::string& buffName, int32_t timeToLive);

// The skill services of the skill's manager: null on a machine that does not control the owner.
SkillServicesBase* ServicesOf(const Skill& skill);

} // namespace GAME
