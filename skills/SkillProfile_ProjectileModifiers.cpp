#include "skills/SkillProfile_ProjectileModifiers.h"

#include "core/GameTextLine.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "skills/SkillLevelReader.h"

namespace GAME {

void SkillProfile_ProjectileModifiers::LoadLevels(
    const LoadTable& table, std::vector<SkillProfile_ProjectileModifiers>& levels)
{
    using Self = SkillProfile_ProjectileModifiers;
    ReadSkillLevels(table, "projectileExplosionRadius", &Self::explosionRadius, levels);
    if (!levels.empty()) {
        const std::string fragments = table.GetString("projectileFragmentsName");
        for (Self& level : levels)
            level.fragmentsName = fragments;
    }
    ReadSkillLevels(table, "projectileFragmentsLaunchNumberMin", &Self::fragmentsLaunchNumberMin,
                    levels);
    ReadSkillLevels(table, "projectileFragmentsLaunchNumberMax", &Self::fragmentsLaunchNumberMax,
                    levels);
    ReadSkillLevels(table, "projectilePiercingChance", &Self::piercingChance, levels);
}

SkillProfile_ProjectileModifiers&
SkillProfile_ProjectileModifiers::operator+=(const SkillProfile_ProjectileModifiers& other)
{
    explosionRadius += other.explosionRadius;
    // Modifier stacks come from records; a sum past the range must not wrap.
    fragmentsLaunchNumberMin =
        AddSaturating(fragmentsLaunchNumberMin, other.fragmentsLaunchNumberMin);
    fragmentsLaunchNumberMax =
        AddSaturating(fragmentsLaunchNumberMax, other.fragmentsLaunchNumberMax);
    piercingChance += other.piercingChance;
    return *this;
}

void SkillProfile_ProjectileModifiers::CreateText(GameTextClass style,
                                                  std::vector<GameTextLine>& lines) const
{
    AddLines(nullptr, style, lines);
}

void SkillProfile_ProjectileModifiers::CreateNextText(
    const SkillProfile_ProjectileModifiers& current, std::vector<GameTextLine>& lines) const
{
    AddLines(&current, GameTextClass::SkillStatsNext, lines);
}

void SkillProfile_ProjectileModifiers::AddLines(const SkillProfile_ProjectileModifiers* current,
                                                GameTextClass style,
                                                std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    if (current != nullptr ? explosionRadius != current->explosionRadius : explosionRadius > 0.0f) {
        lines.emplace_back(style,
                           texts.Format("SkillDistanceFormat", static_cast<double>(explosionRadius),
                                        texts.Format("ExplosionRadius")),
                           false);
    }
    if (current != nullptr ? fragmentsLaunchNumberMin != current->fragmentsLaunchNumberMin ||
                                 fragmentsLaunchNumberMax != current->fragmentsLaunchNumberMax
                           : fragmentsLaunchNumberMin != 0) {
        lines.emplace_back(
            style,
            fragmentsLaunchNumberMin == fragmentsLaunchNumberMax
                ? texts.Format("ProjectileFragmentsLaunchNumber", fragmentsLaunchNumberMin)
                : texts.Format("ProjectileFragmentsLaunchNumberMinMax", fragmentsLaunchNumberMin,
                               fragmentsLaunchNumberMax),
            false);
    }
    if (current != nullptr ? piercingChance != current->piercingChance : piercingChance > 0.0f) {
        lines.emplace_back(
            style, texts.Format("ProjectilePiercingChance", static_cast<double>(piercingChance)),
            false);
    }
}

} // namespace GAME
