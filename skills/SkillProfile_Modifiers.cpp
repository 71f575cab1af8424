#include "skills/SkillProfile_Modifiers.h"

#include "core/GameTextLine.h"
#include "core/Saturate.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "skills/SkillLevelReader.h"

namespace GAME {

void SkillProfile_Modifiers::LoadLevels(const LoadTable& table,
                                        std::vector<SkillProfile_Modifiers>& levels)
{
    using Self = SkillProfile_Modifiers;
    ReadSkillLevels(table, "skillManaCost", &Self::manaCost, levels);
    ReadSkillLevels(table, "skillActiveLifeCost", &Self::activeLifeCost, levels);
    ReadSkillLevels(table, "skillActiveManaCost", &Self::activeManaCost, levels);
    ReadSkillLevels(table, "skillActiveDuration", &Self::activeDuration, levels);
    ReadSkillLevels(table, "skillTargetRadius", &Self::targetRadius, levels);
    ReadSkillLevels(table, "skillTargetAngle", &Self::targetAngle, levels);
    ReadSkillLevels(table, "skillTargetNumber", &Self::targetNumber, levels);
    ReadSkillLevels(table, "skillCooldownTime", &Self::cooldownTime, levels);
    ReadSkillLevels(table, "skillSpeedAcceleration", &Self::speedAcceleration, levels);
    ReadSkillLevels(table, "explosionRadius", &Self::explosionRadius, levels);
    ReadSkillLevels(table, "projectileLaunchRotation", &Self::projectileLaunchRotation, levels);
    ReadSkillLevels(table, "projectileLaunchNumber", &Self::projectileLaunchNumber, levels);
    ReadSkillLevels(table, "projectilePiercing", &Self::projectilePiercing, levels);
}

SkillProfile_Modifiers& SkillProfile_Modifiers::operator+=(const SkillProfile_Modifiers& other)
{
    manaCost += other.manaCost;
    activeLifeCost += other.activeLifeCost;
    activeManaCost += other.activeManaCost;
    activeDuration += other.activeDuration;
    targetRadius += other.targetRadius;
    targetAngle += other.targetAngle;
    // Modifier stacks come from records; a sum past the range must not wrap.
    targetNumber = AddSaturating(targetNumber, other.targetNumber);
    cooldownTime += other.cooldownTime;
    speedAcceleration += other.speedAcceleration;
    explosionRadius += other.explosionRadius;
    projectileLaunchRotation += other.projectileLaunchRotation;
    projectileLaunchNumber = AddSaturating(projectileLaunchNumber, other.projectileLaunchNumber);
    projectilePiercing += other.projectilePiercing;
    return *this;
}

void SkillProfile_Modifiers::CreateText(GameTextClass style, std::vector<GameTextLine>& lines) const
{
    AddLines(nullptr, style, lines);
}

void SkillProfile_Modifiers::CreateNextText(const SkillProfile_Modifiers& current,
                                            std::vector<GameTextLine>& lines) const
{
    AddLines(&current, GameTextClass::SkillStatsNext, lines);
}

void SkillProfile_Modifiers::AddLines(const SkillProfile_Modifiers* current, GameTextClass style,
                                      std::vector<GameTextLine>& lines) const
{
    // Mana cost may be negative (a modifier that refunds) and still earns its line; the other
    // values mean nothing at or below zero, and most are announced for the next level only
    // when they rise.
    enum Test { Positive, NotZero };
    struct Row {
        float SkillProfile_Modifiers::*real;
        int32_t SkillProfile_Modifiers::*whole;
        Test shown;
        Test nextShown;
        const char* format;
        const char* tag;
    };
    static constexpr Row rows[] = {
        {&SkillProfile_Modifiers::manaCost, nullptr, NotZero, NotZero, "SkillCostFormat",
         "ManaCost"},
        {&SkillProfile_Modifiers::activeLifeCost, nullptr, Positive, Positive, "SkillCostFormat",
         "ActiveLifeCost"},
        {&SkillProfile_Modifiers::activeManaCost, nullptr, Positive, Positive, "SkillCostFormat",
         "ActiveManaCost"},
        {&SkillProfile_Modifiers::activeDuration, nullptr, Positive, Positive, "SkillSecondFormat",
         "ActiveDuration"},
        {&SkillProfile_Modifiers::targetRadius, nullptr, Positive, Positive, "SkillDistanceFormat",
         "TargetRadius"},
        {&SkillProfile_Modifiers::targetAngle, nullptr, Positive, Positive, nullptr, "TargetAngle"},
        {nullptr, &SkillProfile_Modifiers::targetNumber, NotZero, NotZero, nullptr, "TargetNumber"},
        {&SkillProfile_Modifiers::speedAcceleration, nullptr, Positive, Positive,
         "SkillSecondFormat", "RunSpeedAcceleration"},
        {nullptr, &SkillProfile_Modifiers::projectileLaunchNumber, NotZero, NotZero, nullptr,
         "ProjectileLaunchNumber"},
        {&SkillProfile_Modifiers::projectilePiercing, nullptr, Positive, Positive, nullptr,
         "ProjectilePiercingChance"},
        {&SkillProfile_Modifiers::explosionRadius, nullptr, Positive, NotZero,
         "SkillDistanceFormat", "ExplosionRadius"},
    };

    const LocalizationManager& texts = LocalizationManager::Instance();
    for (const Row& row : rows) {
        bool show = false;
        if (row.whole != nullptr) {
            // Integers are compared, not subtracted, so no difference can overflow.
            show = current != nullptr ? this->*row.whole != current->*row.whole
                                      : this->*row.whole != 0;
        } else {
            const float value =
                current != nullptr ? this->*row.real - current->*row.real : this->*row.real;
            show = (current != nullptr ? row.nextShown : row.shown) == NotZero ? value != 0.0f
                                                                               : value > 0.0f;
        }
        if (!show)
            continue;
        const LocalizationManager::Arg value =
            row.whole != nullptr ? LocalizationManager::Arg(this->*row.whole)
                                 : LocalizationManager::Arg(static_cast<double>(this->*row.real));
        lines.emplace_back(style,
                           row.format != nullptr
                               ? texts.Format(row.format, {value, texts.Format(row.tag)})
                               : texts.Format(row.tag, {value}),
                           false);
    }
}

} // namespace GAME
