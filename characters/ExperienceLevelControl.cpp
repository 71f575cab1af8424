#include "characters/ExperienceLevelControl.h"

#include "characters/Character.h"
#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/GameEvents.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "core/SavedRange.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/IOStream.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstring>

namespace GAME {

namespace {

// Counts and levels are unsigned: a negative record value would wrap to billions.
uint32_t ReadCount(int32_t value, const char* key)
{
    if (value >= 0)
        return static_cast<uint32_t>(value);
    gEngine->Log(Engine::LogData, "ExperienceLevelControl: negative %s counts as 0", key);
    return 0;
}

uint32_t ReadCount(const LoadTable& table, const char* key)
{
    return ReadCount(table.GetInt(key, 0), key);
}

// A point buys a step of a base attribute or a skill level; a save holds no base above a million,
// so more points than that could never be spent, and the sums shown stay well inside an int.
constexpr uint32_t kMaxSavedPoints = 1000000;

} // namespace

ExperienceLevelControl::~ExperienceLevelControl() = default;

void ExperienceLevelControl::Load(const LoadTable& record)
{
    const std::string levelFile = record.GetString("levelFileName");
    if (!levelFile.empty())
        LoadLevelFile(levelFile);

    const auto difficulty = static_cast<size_t>(GameEngine::Get().GetGameDifficulty());
    charLevel = ReadCount(record.GetIntAt("charLevel", difficulty, 1), "charLevel");
    experiencePoints = ReadCount(record, "experiencePoints");
    modifierPoints = ReadCount(record, "modifierPoints");
    if (record.HasKey("skillPoints"))
        skillPoints = ReadCount(record, "skillPoints");
}

void ExperienceLevelControl::LoadLevelFile(const std::string& recordName)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(recordName)) {
        gEngine->Log(Engine::LogData, "ExperienceLevelControl: could not load level file '%s'",
                     recordName.c_str());
        return;
    }
    const LoadTable& file = objects.GetLoadTable(recordName);
    modifierPointsPerLevel = ReadCount(file, "characterModifierPoints");
    skillPointsPerLevel = ReadCount(file, "skillModifierPoints");
    strengthIncrement = ReadCount(file, "strengthIncrement");
    dexterityIncrement = ReadCount(file, "dexterityIncrement");
    intelligenceIncrement = ReadCount(file, "intelligenceIncrement");
    lifeIncrement = ReadCount(file, "lifeIncrement");
    manaIncrement = ReadCount(file, "manaIncrement");
    skillPoints = ReadCount(file, "initialSkillPoints");

    levelEquation = LoadDesignerEquation(file, "experienceLevelEquation", this,
                                         "-=- Experience Level Control Equation load failure : "
                                         "experienceEquation ");

    maxPlayerLevel = ReadCount(file, "maxPlayerLevel");
    if (maxPlayerLevel > kMaxPlayerLevelCap) {
        gEngine->Log(Engine::LogData, "ExperienceLevelControl: maxPlayerLevel %u is above %u",
                     maxPlayerLevel, kMaxPlayerLevelCap);
        maxPlayerLevel = kMaxPlayerLevelCap;
    }
}

void ExperienceLevelControl::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    stream->StreamUInt("currentStats.charLevel", charLevel);
    stream->StreamUInt("currentStats.experiencePoints", experiencePoints);
    stream->StreamUInt("modifierPoints", modifierPoints);
    stream->StreamUInt("skillPoints", skillPoints);
    stream->EndBlock();
    if (!stream->IsReading())
        return;
    if (stream->HasFailed())
        gEngine->Log(Engine::LogData, "ExperienceLevelControl: the saved block is unreadable");
    else
        HoldSavedStats();
}

void ExperienceLevelControl::HoldSavedStats()
{
    static constexpr const char* kOwner = "ExperienceLevelControl";
    // Without a level file no experience raises a level: the cap on what a file may ask for.
    const uint32_t topLevel = maxPlayerLevel != 0 ? maxPlayerLevel : kMaxPlayerLevelCap;
    charLevel = static_cast<uint32_t>(HoldInSavedRange(kOwner, "level", charLevel, 1, topLevel));
    // Experience stops where the top level begins.
    if (maxPlayerLevel != 0 && levelEquation)
        experiencePoints = static_cast<uint32_t>(HoldInSavedRange(
            kOwner, "experience", experiencePoints, 0, EvaluateAt(maxPlayerLevel - 1)));
    modifierPoints = static_cast<uint32_t>(
        HoldInSavedRange(kOwner, "modifierPoints", modifierPoints, 0, kMaxSavedPoints));
    skillPoints = static_cast<uint32_t>(
        HoldInSavedRange(kOwner, "skillPoints", skillPoints, 0, kMaxSavedPoints));
}

bool ExperienceLevelControl::ReceiveExperience(uint32_t amount)
{
    experiencePoints = AddCapped(experiencePoints, amount);
    bool gained = false;
    while (charLevel < maxPlayerLevel && experiencePoints >= GetNextLevelExperience()) {
        modifierPoints = AddCapped(modifierPoints, modifierPointsPerLevel);
        skillPoints = AddCapped(skillPoints, skillPointsPerLevel);
        ++charLevel;
        gained = true;
        if (skillPointsPerLevel != 0) {
            GameEvent_GenericEntity event;
            event.objectId = owner != nullptr ? owner->GetObjectId() : 0;
            EventManager::Instance().Send("GameEvent_PlayerSkillUp", event);
        }
        GameEngine::Get().AutoSave();
    }
    if (charLevel >= maxPlayerLevel)
        experiencePoints = GetLastLevelExperience();
    return gained;
}

void ExperienceLevelControl::LoseExperience(uint32_t amount)
{
    // Wide enough that neither a large experience nor a large loss changes sign.
    const int64_t remaining = static_cast<int64_t>(experiencePoints) - amount;
    const int64_t levelStart = GetLastLevelExperience();
    experiencePoints = static_cast<uint32_t>(Max(remaining, levelStart));
}

uint32_t ExperienceLevelControl::GetNextLevelExperience()
{
    return EvaluateAt(Min(charLevel, maxPlayerLevel));
}

uint32_t ExperienceLevelControl::GetLastLevelExperience()
{
    const int64_t previous = static_cast<int64_t>(charLevel) - 1;
    const auto level = static_cast<uint32_t>(Clamp<int64_t>(previous, 0, maxPlayerLevel));
    return level == 0 ? 0 : EvaluateAt(level);
}

uint32_t ExperienceLevelControl::EvaluateAt(uint32_t level)
{
    equationLevel = level;
    return EvaluateLevelEquation();
}

uint32_t ExperienceLevelControl::EvaluateLevelEquation()
{
    if (!levelEquation)
        return 0;
    return SaturateToUInt((*levelEquation)() + 0.5f);
}

void ExperienceLevelControl::AddModifierPoints(uint32_t count)
{
    modifierPoints = AddCapped(modifierPoints, count);
}

uint32_t ExperienceLevelControl::AddToSkillPoints(uint32_t count)
{
    skillPoints = AddCapped(skillPoints, count);
    return count;
}

uint32_t ExperienceLevelControl::SubtractSkillPoint()
{
    if (skillPoints == 0)
        return 0;
    return --skillPoints;
}

uint32_t ExperienceLevelControl::SpendModifierPoint(uint32_t increment)
{
    if (modifierPoints == 0)
        return 0;
    --modifierPoints;
    return increment;
}

void ExperienceLevelControl::GetCurrentStats(uint32_t& level, uint32_t& experience) const
{
    level = charLevel;
    experience = experiencePoints;
}

void ExperienceLevelControl::SetCurrentStats(uint32_t level, uint32_t experience)
{
    charLevel = level;
    experiencePoints = experience;
}

void ExperienceLevelControl::DumpExperienceLevels()
{
    static constexpr const char* kRule = "--------------------------------------";
    gEngine->Log(Engine::LogInfo, "Level                       Experience");
    gEngine->Log(Engine::LogInfo, "%s", kRule);
    for (uint32_t level = 1; level <= maxPlayerLevel; ++level)
        gEngine->Log(Engine::LogInfo, "%3u                              %8u", level,
                     EvaluateAt(level - 1));
    gEngine->Log(Engine::LogInfo, "%s", kRule);
}

bool ExperienceLevelControl::GetDesignerVariable(const char* name, float& value)
{
    if (name != nullptr && IsDesignerName(name, "playerLevel")) {
        value = static_cast<float>(equationLevel);
        return true;
    }
    value = 0.0f;
    return false;
}

} // namespace GAME
