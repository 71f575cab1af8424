#pragma once

#include "core/GameTextLine.h"
#include "items/CostInfo_CharacterAttributes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class LoadTable;
class Skill;

// The skill levels an item adds to its wearer and the skills it grants. The base record, each
// affix and a relic's bonus all load into one augment, which adds up what they give.
class ItemSkillAugment {
public:
    struct LevelAugment {
        std::string name; // lower case, backslashes
        uint32_t level = 0;
    };
    struct GrantedSkill {
        std::string name;
        uint32_t level = 0;
        uint32_t skillId = 0; // 0 until created
    };

    ItemSkillAugment() = default;
    ItemSkillAugment(const ItemSkillAugment&) = delete;
    ItemSkillAugment& operator=(const ItemSkillAugment&) = delete;
    virtual ~ItemSkillAugment();

    virtual void GetUIDisplayText(GameTextClass textClass, std::vector<GameTextLine>& lines) const;
    virtual void GetCostInfo(CostInfo_AugmentAttributes& info) const { info = augmentCost; }

    void Load(const LoadTable& table);
    void LoadFromFile(const std::string& recordName);
    void CreateItemSkills();
    void InstallOnCharacter(Character& character) const;
    void RemoveFromCharacter(Character& character) const;
    // Back to nothing, the granted skills destroyed, so that a second roll starts clean.
    void Reset();

    uint32_t GetAllSkillLevel() const { return allSkillLevel; }
    const std::vector<LevelAugment>& GetSkillAugments() const { return skillAugments; }
    const std::vector<LevelAugment>& GetMasteryAugments() const { return masteryAugments; }
    const std::vector<GrantedSkill>& GetGrantedSkills() const { return grantedSkills; }

private:
    // The keys of the record's two augments of one kind, level and name each.
    struct AugmentKeys {
        const char* level[2];
        const char* name[2];
    };
    void LoadLevels(const LoadTable& table, const AugmentKeys& keys,
                    std::vector<LevelAugment>& into);
    void DestroySkills();
    // Hostile records may give levels near the top of the range: the sums saturate.
    void Count(uint32_t level);

    std::vector<LevelAugment> skillAugments;
    std::vector<LevelAugment> masteryAugments;
    uint32_t allSkillLevel = 0;
    std::vector<GrantedSkill> grantedSkills;
    CostInfo_AugmentAttributes augmentCost;
};

} // namespace GAME
