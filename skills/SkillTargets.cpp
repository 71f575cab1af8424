#include "skills/Skill.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"

#include <algorithm>

namespace GAME {

namespace {

WorldVec3 SearchCentre(const Character& owner, const WorldVec3& point, bool aroundSelf)
{
    return aroundSelf ? owner.GetCoords().GetPosition() : point;
}

bool IsFoeOfOwner(const Character& owner, uint32_t target)
{
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    return teams != nullptr && teams->IsFoe(owner.GetObjectId(), target);
}

// The first foe of the owner within the radius of the centre, or 0.
uint32_t FirstFoe(const Character& owner, const WorldVec3& centre, float radius)
{
    std::vector<uint32_t> found;
    GameEngine::Get().GetTargetsInRadius(owner, centre, radius, found, 0, false);
    return found.empty() ? 0 : found.front();
}

} // namespace

float Skill::GetRange() const
{
    const GameEngine& engine = GameEngine::Get();
    switch (rangeProfile) {
    case RangeProfile_Melee:
        return engine.GetMeleeRange();
    case RangeProfile_Short:
        return engine.GetShortRange();
    case RangeProfile_Moderate:
        return engine.GetModerateRange();
    case RangeProfile_Long:
        return engine.GetLongRange();
    case RangeProfile_Maximum:
        return engine.GetMaximumRange();
    default:
        return 1.0f;
    }
}

float Skill::GetPetExtents() const
{
    return pet != nullptr ? pet->GetExtents() + 2.0f : 2.0f;
}

bool Skill::IsQualifyingWeapons(Weapon_Type right, Weapon_Type left,
                                const std::vector<Weapon_Type>& allowed) const
{
    if (allowed.empty())
        return true;
    return std::any_of(allowed.begin(), allowed.end(),
                       [&](Weapon_Type type) { return type == right || type == left; });
}

bool Skill::QualifyingWeapon() const
{
    Weapon_Type right = static_cast<Weapon_Type>(0);
    Weapon_Type left = static_cast<Weapon_Type>(0);
    if (skillManager != nullptr)
        skillManager->GetWeaponTypes(right, left);
    return IsQualifyingWeapons(right, left, GetSkillProfile().GetQualifyingWeapons());
}

bool Skill::QualifyingHandState() const
{
    if (!GetSkillProfile().GetQualifyingDualWeapons())
        return true;
    // 2: a weapon in each hand.
    return skillManager != nullptr && skillManager->GetHandState() == 2;
}

bool Skill::AllowDualWieldWeapons() const
{
    return GetCurrentLevel() != 0 && GetSkillProfile().GetQualifyingDualWeapons();
}

bool Skill::GetValidTarget(const Character& /*owner*/, uint32_t& target, const WorldVec3& /*point*/,
                           bool /*aroundSelf*/, float /*radius*/)
{
    target = 0;
    return true;
}

bool Skill::GetValidMeleeTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                bool aroundSelf, float radius)
{
    return GetValidMeleeTarget(owner, target, point, aroundSelf, radius, false);
}

bool Skill::GetValidMeleeTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                bool aroundSelf, float radius, bool keepGiven)
{
    if (target == 0 && !keepGiven) {
        // Finding nobody is no failure: the swing goes ahead without a target.
        target = FirstFoe(owner, SearchCentre(owner, point, aroundSelf), radius);
        return true;
    }
    if (IsFoeOfOwner(owner, target))
        return true;
    target = 0;
    return false;
}

bool Skill::GetValidRangedTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                 bool /*aroundSelf*/, float radius)
{
    if (target == 0) {
        target = FirstFoe(owner, point, radius);
        return true;
    }
    if (IsFoeOfOwner(owner, target))
        return true;
    target = 0;
    return false;
}

bool Skill::GetValidFriendTarget(const Character& owner, uint32_t& target, const WorldVec3& point,
                                 bool aroundSelf, float radius, bool /*includeSelf*/)
{
    if (target != 0) {
        const TeamManager* teams = GameEngine::Get().GetTeamManager();
        if (teams != nullptr && teams->IsFriend(owner.GetObjectId(), target))
            return true;
        target = 0;
        return false;
    }
    std::vector<uint32_t> found;
    GameEngine::Get().GetTargetsInRadius(owner, SearchCentre(owner, point, aroundSelf), radius,
                                         found, 0, true);
    const uint32_t self = owner.GetObjectId();
    const auto end = std::remove(found.begin(), found.end(), self);
    const bool selfFound = end != found.end();
    found.erase(end, found.end());
    // Others come first; the caster only when nobody else is near.
    if (!found.empty())
        target = found.front();
    else if (selfFound)
        target = self;
    else
        target = 0;
    return target != 0;
}

bool Skill::IsTargetInRange(const Character& owner, uint32_t target, float range) const
{
    const auto* other = ObjectManager::Instance().GetObject<Character>(target);
    const World* world = gEngine->GetWorld();
    if (other == nullptr || world == nullptr)
        return false;
    const float distance =
        world->GetDistance(other->GetCoords().GetPosition(), owner.GetCoords().GetPosition()) -
        owner.GetExtents() - other->GetExtents();
    return distance <= range;
}

} // namespace GAME
