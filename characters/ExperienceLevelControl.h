#pragma once

#include "core/DesignerEquation.h"
#include "core/EquationInterface.h"

#include <cstdint>
#include <memory>
#include <string>

namespace GAME {

class Character;
class IOStream;
class LoadTable;

// A character's level, experience and unspent points, and the rules that turn experience into
// levels: the level file's equation gives, for "playerLevel" L, the experience at which level
// L + 1 begins, and every level gained grants the file's attribute and skill points.
//
// Experience never passes the largest 32-bit value, and a character at the maximum level keeps
// exactly the experience at which that level began.
class ExperienceLevelControl : public EquationInterface<float> {
public:
    // Levels loop once each when experience arrives; a level file cannot ask for more.
    static constexpr uint32_t kMaxPlayerLevelCap = 10000;

    ExperienceLevelControl() = default;
    virtual ~ExperienceLevelControl();
    ExperienceLevelControl(const ExperienceLevelControl&) = delete;
    ExperienceLevelControl& operator=(const ExperienceLevelControl&) = delete;

    // The skill-up events carry the owner's object id (0 while there is none).
    void SetOwner(Character* character) { owner = character; }
    // The level file named by the character's record, then the character's own values.
    void Load(const LoadTable& record);
    void StreamProperties(IOStream* stream);

    // True when at least one level was gained.
    bool ReceiveExperience(uint32_t amount);
    // Never below the start of the current level.
    void LoseExperience(uint32_t amount);
    uint32_t GetNextLevelExperience();
    uint32_t GetLastLevelExperience();
    // The equation's value rounded half up; 0 without an equation.
    uint32_t EvaluateLevelEquation();
    bool IsMaxLevel() const { return charLevel >= maxPlayerLevel; }

    uint32_t GetCharLevel() const { return charLevel; }
    uint32_t GetExperiencePoints() const { return experiencePoints; }
    uint32_t GetModifierPoints() const { return modifierPoints; }
    uint32_t GetSkillPoints() const { return skillPoints; }
    uint32_t GetMaxPlayerLevel() const { return maxPlayerLevel; }
    void AddModifierPoints(uint32_t count);
    uint32_t AddToSkillPoints(uint32_t count);
    // The points left; 0 when there was none to take.
    uint32_t SubtractSkillPoint();

    // Each spends one attribute point, when there is one, and answers what it buys.
    uint32_t IncrementBaseMana() { return SpendModifierPoint(manaIncrement); }
    uint32_t IncrementBaseLife() { return SpendModifierPoint(lifeIncrement); }
    uint32_t IncrementBaseDexterity() { return SpendModifierPoint(dexterityIncrement); }
    uint32_t IncrementBaseStrength() { return SpendModifierPoint(strengthIncrement); }
    uint32_t IncrementBaseIntelligence() { return SpendModifierPoint(intelligenceIncrement); }

    void GetCurrentStats(uint32_t& level, uint32_t& experience) const;
    void SetCurrentStats(uint32_t level, uint32_t experience);
    // The experience table, one log line per level.
    void DumpExperienceLevels();

    // "playerLevel" only.
    bool GetDesignerVariable(const char* name, float& value) override;

private:
    void LoadLevelFile(const std::string& recordName);
    // A save's level and experience within what the level file lets a character reach.
    void HoldSavedStats();
    uint32_t EvaluateAt(uint32_t level);
    uint32_t SpendModifierPoint(uint32_t increment);

    Character* owner = nullptr;
    std::unique_ptr<DesignerEquation<float>> levelEquation;
    uint32_t equationLevel = 0;
    uint32_t modifierPointsPerLevel = 0;
    uint32_t skillPointsPerLevel = 0;
    uint32_t manaIncrement = 1;
    uint32_t lifeIncrement = 1;
    uint32_t dexterityIncrement = 1;
    uint32_t strengthIncrement = 1;
    uint32_t intelligenceIncrement = 1;
    uint32_t maxPlayerLevel = 0;
    uint32_t charLevel = 1;
    uint32_t experiencePoints = 0;
    uint32_t modifierPoints = 0;
    uint32_t skillPoints = 0;
};

} // namespace GAME
