#include "core/PlayStats.h"

#include "core/DesignerEquation_Algebra.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/LoadTable.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace GAME {

namespace {

const char* const kReductionNames[] = {
    "Unknown", "AbsorbtionProtection", "Absorbtion", "Protection", "ArmorRating",
    "Blocked", "ArmorAbsorbed",        "Resisted",
};
const char* const kLifeNames[] = {"Unknown", "Potion", "Skill", "Regeneration", "Shrine"};

template <size_t N> const char* NameAt(const char* const (&names)[N], int32_t index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? names[index] : "Unknown";
}

// The potion classes belong to the items; they are told apart here by their class records'
// names, which is what the class registry compares.
bool IsClassNamed(const Object* object, const char* className)
{
    for (const RTTI_ClassInfo* info = object->GetClassInfo(); info != nullptr;
         info = info->GetParent()) {
        if (info->GetName() != nullptr && std::strcmp(info->GetName(), className) == 0)
            return true;
    }
    return false;
}

template <typename Key> double SumOf(const std::map<Key, float>& tallies)
{
    double sum = 0.0;
    for (const auto& [key, amount] : tallies)
        sum += amount;
    return sum;
}

void AppendFormatted(std::vector<std::string>& lines, const char* format, va_list args)
{
    char buffer[PlayStats::kReportLineBytes];
    std::vsnprintf(buffer, sizeof(buffer), format, args);
    lines.emplace_back(buffer);
}

} // namespace

const char* PlayStatsDamageReductionTypeToString(PlayStatsDamageReductionType type)
{
    return NameAt(kReductionNames, type);
}

const char* PlayStatsLifeTypeToString(PlayStatsLifeType type)
{
    return NameAt(kLifeNames, type);
}

PlayStats::PlayStats() : preRunListener("GameEvent_PreRun", &PlayStats::OnPreRun, this) {}

PlayStats::~PlayStats() = default;

bool PlayStats::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (name == nullptr)
        return false;
    // The first letter leaves at most two names, each compared whole.
    const auto count = [&value](uint32_t tally) {
        value = static_cast<float>(tally);
        return true;
    };
    switch (name[0]) {
    case 'p':
        if (IsDesignerName(name, "playTimeInMinutes"))
            return count(GetPlayTimeInMinutes());
        break;
    case 'n':
        if (IsDesignerName(name, "numberOfDeaths"))
            return count(numberOfDeaths);
        if (IsDesignerName(name, "numberOfKills"))
            return count(numberOfKills);
        break;
    case 'e':
        if (IsDesignerName(name, "experienceFromKills"))
            return count(experienceFromKills);
        break;
    case 'h':
        if (IsDesignerName(name, "healthPotionsUsed"))
            return count(healthPotionsUsed);
        break;
    case 'm':
        if (IsDesignerName(name, "manaPotionsUsed"))
            return count(manaPotionsUsed);
        if (IsDesignerName(name, "maxLevel"))
            return count(maxLevel);
        break;
    case 'g':
        if (IsDesignerName(name, "greatestDamageInflicted")) {
            value = greatestDamageInflicted;
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

void PlayStats::Update(int elapsedMs)
{
    // A negative frame would wrap the unsigned pending count into hours of play.
    pendingMilliseconds += static_cast<uint32_t>(Max(elapsedMs, 0));
    const double total = static_cast<double>(pendingMilliseconds) + carryMilliseconds;
    const int32_t seconds = SaturateToInt(std::floor(total * 0.001));
    if (seconds != 0) {
        CountUp(playTimeInSeconds, static_cast<uint32_t>(seconds));
        carryMilliseconds = SaturateToInt(total - seconds * 1000.0);
        pendingMilliseconds = 0;
    }
    stringsDirty = true;
}

void PlayStats::IncrementKills(uint32_t experience, uint32_t victimHitsReceived)
{
    CountUp(experienceFromKills, experience);
    CountUp(numberOfKills);
    CountUp(numHitsInflicted, victimHitsReceived);
}

void PlayStats::SetShieldBlockChance(float chance)
{
    shieldBlockEnabled = true;
    shieldBlockChance = chance;
}

void PlayStats::IncrementPotion(const Object* oneShot)
{
    if (oneShot == nullptr)
        return;
    if (IsClassNamed(oneShot, "OneShot_PotionHealth"))
        CountUp(healthPotionsUsed);
    else if (IsClassNamed(oneShot, "OneShot_PotionMana"))
        CountUp(manaPotionsUsed);
}

void PlayStats::TallyDamageInflicted(float amount, const PlayStatsDamageType& type)
{
    damageInflicted[type] += amount;
    // Pruned here as well as in the report so that a long fight without a report stays small;
    // only what the report would drop anyway goes.
    while (!recentDamage.empty() &&
           recentDamage.front().second + kRecentDamageSeconds < playTimeInSeconds)
        recentDamage.pop_front();
    recentDamage.push_back({playTimeInSeconds, type, amount});
    if (type.kind == PlayStatsDamageType::KindCombatAttribute && amount > greatestDamageInflicted)
        greatestDamageInflicted = amount;
}

void PlayStats::TallyDamageReceived(float amount, const PlayStatsDamageType& type)
{
    damageReceived[type] += amount;
}

void PlayStats::TallyDamageReduction(float amount, PlayStatsDamageReductionType type)
{
    damageReduction[type] += amount;
}

void PlayStats::GainLife(float amount, PlayStatsLifeType type)
{
    lifeGained[type] += amount;
}

size_t PlayStats::DifficultyIndex() const
{
    // The difficulty indexes three-entry arrays; whatever the engine answers must stay inside.
    return Min<uint32_t>(gEngine->GetGameInfo().GetDifficulty(), 2u);
}

uint32_t PlayStats::GetGreatestMonsterKilledLevel() const
{
    return greatestMonsterKilledLevel[DifficultyIndex()];
}

void PlayStats::SetGreatestMonsterKilledLevel(uint32_t level)
{
    greatestMonsterKilledLevel[DifficultyIndex()] = level;
}

uint32_t PlayStats::GetGreatestMonsterKilledLifeAndMana() const
{
    return greatestMonsterKilledLifeAndMana[DifficultyIndex()];
}

void PlayStats::SetGreatestMonsterKilledLifeAndMana(uint32_t lifeAndMana)
{
    greatestMonsterKilledLifeAndMana[DifficultyIndex()] = lifeAndMana;
}

const std::wstring& PlayStats::GetGreatestMonsterKilledName() const
{
    return greatestMonsterKilledName[DifficultyIndex()];
}

void PlayStats::SetGreatestMonsterKilledName(const std::wstring& name)
{
    greatestMonsterKilledName[DifficultyIndex()] = name;
}

int32_t PlayStats::GetScore() const
{
    return scoreEquation ? SaturateToInt((*scoreEquation)()) : 0;
}

void PlayStats::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    stream->StreamUInt("playTimeInSeconds", playTimeInSeconds);
    stream->StreamUInt("numberOfDeaths", numberOfDeaths);
    stream->StreamUInt("numberOfKills", numberOfKills);
    stream->StreamUInt("experienceFromKills", experienceFromKills);
    stream->StreamUInt("healthPotionsUsed", healthPotionsUsed);
    stream->StreamUInt("manaPotionsUsed", manaPotionsUsed);
    stream->StreamUInt("maxLevel", maxLevel);
    stream->StreamUInt("numHitsReceived", numHitsReceived);
    stream->StreamUInt("numHitsInflicted", numHitsInflicted);
    stream->StreamFloat("greatestDamageInflicted", greatestDamageInflicted);
    // The keys are literal texts, the same on every pass; only the order tells them apart.
    for (size_t i = 0; i < greatestMonsterKilledName.size(); ++i) {
        stream->StreamWideString("(*greatestMonsterKilledName)[i]", greatestMonsterKilledName[i]);
        stream->StreamUInt("(*greatestMonsterKilledLevel)[i]", greatestMonsterKilledLevel[i]);
        stream->StreamUInt("(*greatestMonsterKilledLifeAndMana)[i]",
                           greatestMonsterKilledLifeAndMana[i]);
    }
    stream->StreamUInt("criticalHitsInflicted", criticalHitsInflicted);
    stream->StreamUInt("criticalHitsReceived", criticalHitsReceived);
    stream->EndBlock();

    if (stream->IsReading()) {
        // A damaged save must not leave a greatest damage that no hit can ever beat.
        if (!std::isfinite(greatestDamageInflicted)) {
            gEngine->Log(Engine::LogData, "PlayStats: saved greatestDamageInflicted is not finite");
            greatestDamageInflicted = 0.0f;
        }
        stringsDirty = true;
    }
}

void PlayStats::OnPreRun(const GameEvent_PreRun&)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(kScoreRecord))
        return;
    Load(objects.GetLoadTable(kScoreRecord));
}

void PlayStats::Load(const LoadTable& table)
{
    const std::string text = table.GetString("scoreEquation");
    if (text.empty())
        return;
    scoreEquation = std::make_unique<DesignerEquation_Algebra>();
    if (!scoreEquation->ParseEquation(text.c_str(), this)) {
        gEngine->Log(Engine::LogData, "-=- PlayStats Equation load failure : scoreEquation");
        scoreEquation.reset();
    }
}

void PlayStats::Display(const StatisticTextSink& addStatisticText)
{
    UpdateStrings();
    if (!addStatisticText)
        return;
    for (const std::string& line : realTimeStrings)
        addStatisticText(line);
}

void PlayStats::Dump()
{
    UpdateStrings();
    for (const std::string& line : realTimeStrings)
        gEngine->Log(Engine::LogInfo, "%s", line.c_str());
    for (const std::string& line : logStrings)
        gEngine->Log(Engine::LogInfo, "%s", line.c_str());
}

void PlayStats::AddRealTimeString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatted(realTimeStrings, format, args);
    va_end(args);
}

void PlayStats::AddLogString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatted(logStrings, format, args);
    va_end(args);
}

void PlayStats::UpdateStrings()
{
    if (!stringsDirty)
        return;
    realTimeStrings.clear();
    logStrings.clear();
    std::erase_if(recentDamage, [this](const RecentDamage& event) {
        const uint32_t age = event.second > playTimeInSeconds ? event.second - playTimeInSeconds
                                                              : playTimeInSeconds - event.second;
        return age > kRecentDamageSeconds;
    });
    AddRealTimeLines();
    AddLogLines();
    stringsDirty = false;
}

void PlayStats::AddRealTimeLines()
{
    const auto asInt = [](uint32_t value) { return static_cast<int>(value); };
    AddRealTimeString("Play Statistics:");
    AddRealTimeString("    Play Time:           %d min %d sec", asInt(playTimeInSeconds / 60),
                      asInt(playTimeInSeconds % 60));
    AddRealTimeString("    Total Score:         %d", GetScore());
    AddRealTimeString("    Number of deaths:    %d", asInt(numberOfDeaths));
    AddRealTimeString("    Number of kills:     %d", asInt(numberOfKills));
    AddRealTimeString("    Health potions used: %d", asInt(healthPotionsUsed));
    AddRealTimeString("    Mana potions used:   %d", asInt(manaPotionsUsed));
    AddRealTimeString("    Max. level achieved: %d", asInt(maxLevel));
    AddRealTimeString("%s", "");
    float recent = 0.0f;
    for (const RecentDamage& event : recentDamage)
        recent += event.amount;
    AddRealTimeString("    Damage per second: %0.2f", recent * 0.2);
    AddRealTimeString("%s", "");
    AddRealTimeString("    Skills Used:");
    for (const auto& [name, count] : skillsUsed)
        AddRealTimeString("        %s : %d", name.c_str(), asInt(count));
    AddRealTimeString("    Life healed: %.2f", SumOf(lifeGained));
    if (shieldBlockEnabled)
        AddRealTimeString("    Shield block chance    : %.2f", shieldBlockChance);
}

double PlayStats::PerSecond(double amount) const
{
    // Before the first whole second there is no rate to speak of.
    return playTimeInSeconds == 0 ? 0.0 : amount / playTimeInSeconds;
}

void PlayStats::AddDamageLines(const std::map<PlayStatsDamageType, float>& damage,
                               const char* title, const char* totalFormat)
{
    AddLogString("%s", title);
    for (const auto& [type, amount] : damage)
        AddLogString("         %s %.2f", type.ToString().c_str(), amount);
    AddLogString(totalFormat, SumOf(damage));
}

void PlayStats::AddLogLines()
{
    const auto asInt = [](uint32_t value) { return static_cast<int>(value); };
    AddLogString("    Kills per second (whole game): %.2f", PerSecond(numberOfKills));
    AddLogString("    Average hits per kill: %.2f",
                 numberOfKills == 0 ? 0.0 : static_cast<double>(numHitsInflicted) / numberOfKills);
    AddLogString("    Damage per second (whole game, by type)");
    for (const auto& [type, amount] : damageInflicted)
        AddLogString("         %s %.2f", type.ToString().c_str(), PerSecond(amount));
    AddLogString("%s", "");
    AddLogString("  Damage Totals");
    AddLogString("%s", "");
    AddDamageLines(damageInflicted, "    Damage Inflicted (by type)",
                   "    Damage Inflicted (total)   %.2f");
    AddLogString("%s", "");
    AddDamageLines(damageReceived, "    Damage Received (by type)",
                   "    Damage Received (total)   %.2f");
    AddLogString("    Damage Reduction (by type)");
    for (const auto& [type, amount] : damageReduction)
        AddLogString("         %s %.2f", PlayStatsDamageReductionTypeToString(type), amount);
    AddLogString("    Damage Reduction (total)   %.2f", SumOf(damageReduction));
    AddLogString("%s", "");
    AddLogString("  Experience");
    AddLogString("         Total Gained %d", asInt(experienceGained));
    AddLogString("         Total Lost   %d", experienceLost);
    AddLogString("         Gained per second %.2f", PerSecond(experienceGained));
    AddLogString("         Lost per second   %.2f", PerSecond(experienceLost));
    AddLogString("%s", "");
    AddLogString("  Life healed (by type)");
    for (const auto& [type, amount] : lifeGained)
        AddLogString("         %s %.2f", PlayStatsLifeTypeToString(type), amount);
    AddLogString("%s", "");
    AddLogString("  Mana used (total):      %.2f", manaUsed);
    AddLogString("  Mana used (per second): %.2f", PerSecond(manaUsed));
    AddLogString("%s", "");
    AddLogString("  Critical hits inflicted: %d", asInt(criticalHitsInflicted));
    AddLogString("  Critical hits received:  %d", asInt(criticalHitsReceived));
    AddLogString("   Monster misses: %d", asInt(monsterMisses));
    AddLogString("   Player misses:  %d", asInt(playerMisses));
}

} // namespace GAME
