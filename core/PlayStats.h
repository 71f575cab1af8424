#pragma once

#include "core/EquationInterface.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "core/Saturate.h"
#include "engine/EventHandler.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class DesignerEquation_Algebra;
class IOStream;
class LoadTable;
class Object;

enum PlayStatsDamageReductionType : int32_t {
    PlayStatsDamageReduction_Unknown = 0,
    PlayStatsDamageReduction_AbsorbtionProtection,
    PlayStatsDamageReduction_Absorbtion,
    PlayStatsDamageReduction_Protection,
    PlayStatsDamageReduction_ArmorRating,
    PlayStatsDamageReduction_Blocked,
    PlayStatsDamageReduction_ArmorAbsorbed,
    PlayStatsDamageReduction_Resisted,
};

enum PlayStatsLifeType : int32_t {
    PlayStatsLife_Unknown = 0,
    PlayStatsLife_Potion,
    PlayStatsLife_Skill,
    PlayStatsLife_Regeneration,
    PlayStatsLife_Shrine,
};

// Report names; a value outside the list reads "Unknown".
const char* PlayStatsDamageReductionTypeToString(PlayStatsDamageReductionType type);
const char* PlayStatsLifeTypeToString(PlayStatsLifeType type);

// What one character did and suffered: play time, kills, damage, healing and the like. A
// player's main tallies go into the save and feed the designers' score formula, which reads
// them by name through this object.
class PlayStats : public EquationInterface<float> {
public:
    static constexpr const char* kScoreRecord = "Records/Game/PlayerScore.dbr";
    // Damage older than this many seconds no longer counts toward the damage-per-second line.
    static constexpr uint32_t kRecentDamageSeconds = 5;
    static constexpr size_t kReportLineBytes = 1024;
    using StatisticTextSink = std::function<void(const std::string& line)>;

    PlayStats();
    virtual ~PlayStats();
    PlayStats(const PlayStats&) = delete;
    PlayStats& operator=(const PlayStats&) = delete;

    bool GetDesignerVariable(const char* name, float& value) override;

    void Update(int elapsedMs);
    void IncrementDeaths() { CountUp(numberOfDeaths); }
    // The killer's side passes the victim's experience reward and `GetHitsReceived`.
    void IncrementKills(uint32_t experience, uint32_t victimHitsReceived);
    void IncrementLevel() { CountUp(maxLevel); }
    void ReceiveHit() { CountUp(numHitsReceived); }
    uint32_t GetHitsReceived() const { return numHitsReceived; }
    void GainExperience(uint32_t amount) { CountUp(experienceGained, amount); }
    // Losses are kept as a negative total.
    void LoseExperience(int32_t amount)
    {
        experienceLost = SaturateToInt(static_cast<double>(experienceLost) - amount);
    }
    void UseMana(float amount) { manaUsed += amount; }
    void InflictCriticalHit() { CountUp(criticalHitsInflicted); }
    void ReceiveCriticalHit() { CountUp(criticalHitsReceived); }
    void IMissed() { CountUp(playerMisses); }
    void IWasMissed() { CountUp(monsterMisses); }
    void DisableShieldBlockChance() { shieldBlockEnabled = false; }
    void SetShieldBlockChance(float chance);
    // Counts a health or mana potion by the used item's class; other items count nothing.
    void IncrementPotion(const Object* oneShot);
    void SkillUsed(const std::string& name) { CountUp(skillsUsed[name]); }
    void TallyDamageInflicted(float amount, const PlayStatsDamageType& type);
    void TallyDamageReceived(float amount, const PlayStatsDamageType& type);
    void TallyDamageReduction(float amount, PlayStatsDamageReductionType type);
    void GainLife(float amount, PlayStatsLifeType type);

    // The greatest monster of the current game difficulty; the caller decides what is greater.
    uint32_t GetGreatestMonsterKilledLevel() const;
    void SetGreatestMonsterKilledLevel(uint32_t level);
    uint32_t GetGreatestMonsterKilledLifeAndMana() const;
    void SetGreatestMonsterKilledLifeAndMana(uint32_t lifeAndMana);
    const std::wstring& GetGreatestMonsterKilledName() const;
    void SetGreatestMonsterKilledName(const std::wstring& name);

    uint32_t GetPlayTimeInMinutes() const { return playTimeInSeconds / 60; }
    uint32_t GetPlayTimeInSeconds() const { return playTimeInSeconds; }
    int32_t GetCarryMilliseconds() const { return carryMilliseconds; }
    // 0 without a score formula.
    int32_t GetScore() const;

    void StreamProperties(IOStream* stream);
    void OnPreRun(const GameEvent_PreRun& event);
    void Load(const LoadTable& table);

    void Display(const StatisticTextSink& addStatisticText);
    void Dump();
    void AddRealTimeString(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void AddLogString(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    struct RecentDamage {
        uint32_t second;
        PlayStatsDamageType type;
        float amount;
    };

    size_t DifficultyIndex() const;
    void UpdateStrings();
    void AddRealTimeLines();
    void AddLogLines();
    void AddDamageLines(const std::map<PlayStatsDamageType, float>& damage, const char* title,
                        const char* totalFormat);
    double PerSecond(double amount) const;

    std::vector<std::string> realTimeStrings;
    std::vector<std::string> logStrings;
    uint32_t pendingMilliseconds = 0;
    int32_t carryMilliseconds = 0;
    uint32_t playTimeInSeconds = 0;
    uint32_t numberOfDeaths = 0;
    uint32_t numberOfKills = 0;
    uint32_t experienceFromKills = 0;
    uint32_t healthPotionsUsed = 0;
    uint32_t manaPotionsUsed = 0;
    uint32_t maxLevel = 1;
    uint32_t numHitsReceived = 0;
    uint32_t numHitsInflicted = 0;
    float greatestDamageInflicted = 0.0f;
    uint32_t criticalHitsInflicted = 0;
    uint32_t criticalHitsReceived = 0;
    std::array<std::wstring, 3> greatestMonsterKilledName;
    std::array<uint32_t, 3> greatestMonsterKilledLevel{};
    std::array<uint32_t, 3> greatestMonsterKilledLifeAndMana{};
    std::map<PlayStatsDamageType, float> damageInflicted;
    std::deque<RecentDamage> recentDamage;
    std::map<PlayStatsDamageType, float> damageReceived;
    std::map<PlayStatsDamageReductionType, float> damageReduction;
    uint32_t experienceGained = 0;
    int32_t experienceLost = 0;
    std::map<PlayStatsLifeType, float> lifeGained;
    float manaUsed = 0.0f;
    uint32_t playerMisses = 0;
    uint32_t monsterMisses = 0;
    bool shieldBlockEnabled = false;
    float shieldBlockChance = 0.0f;
    std::unique_ptr<DesignerEquation_Algebra> scoreEquation;
    std::map<std::string, uint32_t> skillsUsed;
    // Last of the owned parts but the flag, so it unregisters before the tallies go.
    EventHandler<PlayStats, GameEvent_PreRun> preRunListener;
    bool stringsDirty = true;
};

} // namespace GAME
