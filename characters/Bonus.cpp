#include "characters/Bonus.h"

#include "engine/LoadTable.h"

namespace GAME {

namespace {
// Counts are unsigned in the record; a negative entry would wrap to a huge reward, so it reads
// as none.
uint32_t GetCount(const LoadTable& table, const char* key)
{
    const int32_t value = table.GetInt(key, 0);
    return value > 0 ? static_cast<uint32_t>(value) : 0u;
}
} // namespace

void Bonus::Load(const LoadTable& table)
{
    lifePoints = table.GetFloat("bonusLifePoints", 0.0f);
    lifePercent = table.GetFloat("bonusLifePercent", 0.0f);
    manaPoints = table.GetFloat("bonusManaPoints", 0.0f);
    manaPercent = table.GetFloat("bonusManaPercent", 0.0f);
    goldPoints = GetCount(table, "bonusGoldPoints");
    skillPoints = GetCount(table, "bonusSkillPoints");
    attributePoints = GetCount(table, "bonusAttributePoints");
    experiencePoints = GetCount(table, "bonusExperiencePoints");
    effectName = table.GetString("bonusEffectName", "");
}

void Bonus::CopyValues(const Bonus& other)
{
    std::string keep = std::move(effectName);
    *this = other;
    effectName = std::move(keep);
}

float Bonus::GetTotal(float lifeBase, float manaBase) const
{
    return lifePoints + lifePercent * lifeBase + manaPoints + manaPercent * manaBase +
           static_cast<float>(goldPoints) + static_cast<float>(skillPoints) +
           static_cast<float>(attributePoints) + static_cast<float>(experiencePoints);
}

} // namespace GAME
