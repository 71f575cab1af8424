#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Skill;
class SkillManager;
struct HostOptions;

// `gamehost --skills`: the sample player learns the warfare tree and wears a charm that grants a
// skill, the sample monster learns its own tree. Printed: every skill's reference, class and
// levels, the groups, the active list, a modifier's lines for levels 1-3, seeded weapon-pool
// draws made as a server and again as a client, and the player's skills carried as a replica to
// a second engine. Then, as a single player, each skill of the hero's tree at levels 1-3 (reason,
// mana cost, cooldown) with its tooltips at level 0, 1 and its ultimate level; and the monster's
// seeded hits firing the hero's on-hit buff: its bonus, its shield's lines, its expiry.
class SkillReport {
public:
    static constexpr const char* kPlayerTree = "Records/Skills/Warfare/WarfareTree.dbr";
    static constexpr const char* kMonsterTree = "Records/Skills/Monster/Jackalman/WarriorTree.dbr";
    static constexpr const char* kItemSkill = "Records/Skills/Item/IronWill.dbr";
    static constexpr const char* kModifierSkill = "Records/Skills/Warfare/HardenedSkin.dbr";
    // A tree record lists at most this many skills, as a player record's tree does.
    static constexpr uint32_t kTreeSkills = 25;
    static constexpr uint32_t kItemSkillLevel = 2;
    static constexpr int kPoolDraws = 8;
    static constexpr const char* kOnHitSkill = "Records/Skills/Warfare/BattleRage.dbr";
    // Hits until the buff fires, then frames until it is over.
    static constexpr int kMaxHits = 20;
    static constexpr int32_t kFrameMs = 500;
    static constexpr float kHitDamage = 40.0f;
    static constexpr float kWound = 100.0f;

    SkillReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    SkillReport(const SkillReport&) = delete;
    SkillReport& operator=(const SkillReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character.
    bool Run();

private:
    bool ShowPlayer();
    bool ShowMonster(bool client, std::vector<uint32_t>& draws);
    bool ApplyReplica();
    void ShowSkills(const SkillManager& manager);
    void ShowGroups(const SkillManager& manager);
    void ShowModifierLines();
    bool ShowSkillBase();
    void ShowSkillAtLevels(Character& owner, Skill& skill);
    void ShowOnHitBuff(Character& hero, Character& monster);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    // The player's skills in their wire form, as the server sent them.
    std::vector<uint8_t> replicaBytes;
    std::string serverLevels;
};

} // namespace GAME
