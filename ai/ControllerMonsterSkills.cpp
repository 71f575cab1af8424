#include "ai/ControllerMonster.h"

#include "ai/ControllerAIState.h"
#include "characters/CharAttributeType.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Team.h"
#include "characters/TeamManager.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/Sphere.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace GAME {

bool ControllerMonster::IsSkillEnabled(uint32_t skillId)
{
    const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    return skill != nullptr && skill->IsSkillEnabled();
}

bool ControllerMonster::CloseEnough(uint32_t targetId, uint32_t skillId)
{
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->CloseEnoughToUseSkill(targetId, skillId);
}

uint32_t ControllerMonster::ChooseBestSkill(uint32_t targetId, bool check)
{
    if (const uint32_t skill = ChooseBestSkillOverride(targetId, check))
        return skill;

    for (const SpecialAttack& special : specialAttacks) {
        // The chance is rolled only for a special that could otherwise be used now.
        if (special.skill == 0 || special.cooldown >= 1 || special.initialWait >= 1 ||
            static_cast<uint32_t>(Platform::Rand() % 100) >= special.chance)
            continue;
        if (IsSkillEnabled(special.skill) && IsSkillInProperRange(targetId, special.useRange) &&
            (!check || CloseEnough(targetId, special.skill)))
            return special.skill;
    }

    if (normalAttackSkill != 0 && (!check || CloseEnough(targetId, normalAttackSkill)) &&
        IsSkillEnabled(normalAttackSkill))
        return normalAttackSkill;

    if (defaultAttackSkill != 0 && (!check || CloseEnough(targetId, defaultAttackSkill)))
        return defaultAttackSkill;

    // Told once: a monster without an attack asks again at every sight of an enemy.
    if (!check && !noAttackTold) {
        noAttackTold = true;
        const Character* self = GetCharacter();
        gEngine->Log(Engine::LogRuntime,
                     "ControllerMonster::ChooseBestSkill picked an invalid skill for %s",
                     self != nullptr ? self->GetObjectName().c_str() : "");
    }
    return 0;
}

bool ControllerMonster::IsSkillInProperRange(uint32_t targetId, SkillUseRange range)
{
    if (range == SkillUseRange_None)
        return true;
    Character* target = ObjectManager::Instance().GetObject<Character>(targetId);
    Character* self = GetCharacter();
    if (target == nullptr || self == nullptr)
        return false;
    float minimum = 0.0f;
    float maximum = 20.0f;
    switch (range) {
    case SkillUseRange_Short:
        minimum = shortRangeMin;
        maximum = shortRangeMax;
        break;
    case SkillUseRange_Medium:
        minimum = mediumRangeMin;
        maximum = mediumRangeMax;
        break;
    case SkillUseRange_Long:
        minimum = longRangeMin;
        maximum = longRangeMax;
        break;
    default:
        break;
    }
    const float distance = Distance(self->GetPathPosition(), target->GetPathPosition()) -
                           self->GetExtents() - target->GetExtents();
    return minimum < distance && distance < maximum;
}

uint32_t ControllerMonster::ChooseBestBuffSelfSkill()
{
    const Character* self = GetCharacter();
    if (self == nullptr)
        return 0;
    for (uint32_t skillId : buffSelfSkills) {
        const Skill* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
        if (skillId != 0 && skill != nullptr && skill->IsSkillEnabled() &&
            !skill->IsTrackable(self->GetObjectId()))
            return skillId;
    }
    return 0;
}

uint32_t ControllerMonster::ChooseBestAllyToBuff()
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return 0;
    const WorldVec3 own = self->GetPathPosition();
    std::vector<Character*> friends;
    GetFriendsInSphere(friends, own.GetRegion(),
                       Sphere(own.GetRegionPosition(), GetViewDistance()));
    const Character* chosen = nullptr;
    switch (buffAllyTargeting) {
    case BuffStrongest:
        chosen = FindStrongest(friends);
        break;
    case BuffWeakest:
        chosen = FindWeakest(friends);
        break;
    default:
        chosen = FindClosest(friends);
        break;
    }
    return chosen != nullptr ? chosen->GetObjectId() : 0;
}

bool ControllerMonster::GetLifePercent(const Character& character, float& percent)
{
    const float maximum = character.GetTotalCharAttribute(CharAttribute_Life);
    // A maximum of 0 or less would make the share infinite or not a number.
    if (!(maximum > 0.0f))
        return false;
    percent = 100.0f * character.GetCurrentLife() / maximum;
    return true;
}

void ControllerMonster::TryToHealAlly()
{
    Character* self = GetCharacter();
    if (self == nullptr)
        return;
    if (const Monster* monster = DynamicCast<Monster>(self)) {
        const Character* leader =
            ObjectManager::Instance().GetObject<Character>(monster->GetLeader());
        float percent = 0.0f;
        // A fallen leader is past mending.
        if (leader != nullptr && leader->IsAlive() && GetLifePercent(*leader, percent) &&
            percent < static_cast<float>(healLeaderThreshold)) {
            AddTemporaryState("UseSkillOnAlly", ControllerAIStateData(0, leader->GetObjectId(),
                                                                      healSkill, WorldVec3()));
            return;
        }
    }

    const WorldVec3 own = self->GetPathPosition();
    std::vector<Character*> friends;
    GetFriendsInSphere(friends, own.GetRegion(),
                       Sphere(own.GetRegionPosition(), GetViewDistance()));
    const Character* weakest = nullptr;
    float weakestPercent = 0.0f;
    for (const Character* candidate : friends) {
        float percent = 0.0f;
        if (!GetLifePercent(*candidate, percent) ||
            !(percent < static_cast<float>(healAllyThreshold)))
            continue;
        if (weakest == nullptr || percent < weakestPercent) {
            weakest = candidate;
            weakestPercent = percent;
        }
    }
    if (weakest != nullptr)
        AddTemporaryState("UseSkillOnAlly",
                          ControllerAIStateData(0, weakest->GetObjectId(), healSkill, WorldVec3()));
}

void ControllerMonster::GetCharactersInSphere(std::vector<Character*>& out, const Region* region,
                                              const Sphere& sphere, bool foes)
{
    Character* self = GetCharacter();
    if (self == nullptr) {
        out.clear();
        return;
    }
    Character::FindCharactersInSphere(out, region, sphere, *self,
                                      foes ? Character::Sight::Foes : Character::Sight::Friends,
                                      Character::Life::Living);
    if (gGameEngine == nullptr || gGameEngine->GetTeamManager() == nullptr) {
        out.clear();
        return;
    }
    if (maxYViewDistance == 0.0f)
        return;
    const WorldVec3 own = self->GetPathPosition();
    std::erase_if(out, [&](Character* candidate) {
        return std::abs(HeightDifference(own, candidate->GetPathPosition())) > maxYViewDistance;
    });
}

void ControllerMonster::GetFriendsInSphere(std::vector<Character*>& out, const Region* region,
                                           const Sphere& sphere)
{
    GetCharactersInSphere(out, region, sphere, false);
}

void ControllerMonster::GetFoesInSphere(std::vector<Character*>& out, const Region* region,
                                        const Sphere& sphere)
{
    GetCharactersInSphere(out, region, sphere, true);
}

} // namespace GAME
