#include "game/GameEngine.h"

#include "characters/Player.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillReasons.h"

namespace GAME {

namespace {

void AddBlankLine(std::vector<GameTextLine>& lines)
{
    lines.emplace_back(GameTextClass::Default, L" ", false);
}

void AddRequirementLine(std::vector<GameTextLine>& lines, const std::wstring& text, bool met)
{
    lines.emplace_back(met ? GameTextClass::SkillRequirements
                           : GameTextClass::SkillRequirementsNotMet,
                       text, true);
}

std::wstring LocalizedName(const std::string& tag)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    return texts.Format("SimpleStringFormat", texts.Format(tag));
}

// Taking a point back: nothing when the mastery forbids it, else why not or what it costs.
void AddReclaimLine(const Skill& skill, const SkillReasons& reasons, int32_t cost,
                    std::vector<GameTextLine>& lines)
{
    if (reasons.masteryLevelNotMet != 0)
        return;
    const LocalizationManager& texts = LocalizationManager::Instance();
    if (skill.IsSkillTheMasterySkill())
        AddRequirementLine(lines, texts.Format("tagDecreaseMasteryError"), false);
    else if (reasons.noPointsToReclaim != 0)
        AddRequirementLine(lines, texts.Format("tagReclaimNoPoints"), false);
    else if (reasons.noGoldToReclaim != 0)
        AddRequirementLine(lines, texts.Format("tagReclaimNoGold", cost), false);
    else if (reasons.reclaimBelowBase != 0)
        AddRequirementLine(lines, texts.Format("tagReclaimBase"), false);
    else
        AddRequirementLine(lines, texts.Format("tagReclaimPoint", cost), true);
}

// The names of the main player's skills this one needs that are not learnt, run together.
std::wstring GetMissingDependencies(const Skill& skill)
{
    Player* player = GameEngine::Get().GetMainPlayer();
    if (player == nullptr)
        return std::wstring();
    const LocalizationManager& texts = LocalizationManager::Instance();
    std::wstring missing;
    for (const std::string& name : skill.GetSkillDependancy()) {
        const uint32_t id = player->GetSkillManager().FindSkillId(name);
        const Skill* needed = ObjectManager::Instance().GetObject<Skill>(id);
        if (needed != nullptr && needed->GetCurrentLevel() == 0)
            missing +=
                texts.Format("FailedSkillDependancy", LocalizedName(needed->GetDisplayNameTag()));
    }
    return missing;
}

// Raising a point: the first requirement that is not met, or the invitation to spend.
void AddRaiseLine(const Skill& skill, const SkillReasons& reasons, std::vector<GameTextLine>& lines)
{
    const LocalizationManager& texts = LocalizationManager::Instance();
    if (reasons.masteryLevelNotMet != 0) {
        const Skill* mastery = ObjectManager::Instance().GetObject<Skill>(skill.GetMasteryId());
        const std::wstring name =
            mastery != nullptr ? LocalizedName(mastery->GetDisplayNameTag()) : std::wstring();
        // A mastery already above the requirement misses nothing, never a wrapped-round count.
        const uint32_t required = skill.GetMasteryLevelRequirement();
        const uint32_t level = skill.GetMasteryLevel();
        const uint32_t missing = required > level ? required - level : 0;
        const char* tag = missing == 1 ? "tagSkillReq01Singular" : "tagSkillReq01";
        AddRequirementLine(lines, texts.Format(tag, missing, name), false);
    } else if (reasons.dependencyNotMet != 0) {
        const std::wstring missing = GetMissingDependencies(skill);
        if (!missing.empty())
            AddRequirementLine(lines, missing, false);
    } else if (reasons.baseSkillNotMet != 0) {
        AddRequirementLine(lines, texts.Format("tagSkillReq03", skill.GetBaseNameText()), false);
    } else if (reasons.noRequirementLine != 0) {
        return;
    } else if (reasons.noSkillPoints != 0) {
        AddRequirementLine(lines, texts.Format("NoSkillPointsToAdd"), false);
    } else {
        AddRequirementLine(lines, texts.Format("PressToAddUnusedSkillPoints"), true);
    }
}

} // namespace

void GameEngine::GenerateUISkillInfo(const Skill* skill, std::vector<GameTextLine>& lines)
{
    if (skill == nullptr)
        return;
    skill->CreateUISkillHeading(lines);
    AddBlankLine(lines);
    if (skill->GetCurrentLevel() > 0 && !skill->IsDefaultSkill()) {
        skill->CreateUIParameterText(lines);
        AddBlankLine(lines);
    }
    const int32_t reason = skill->GetReason();
    const char* tag = nullptr;
    if (reason == 1)
        tag = "tagSkillUnusableCooldown";
    else if (reason == 2)
        tag = "tagSkillUnusableLowMana";
    else if (reason == 4 || (skill->NeedsConfiguration() && skill->GetCurrentLevel() == 0))
        tag = "tagSkillUnusableConfiguration";
    if (tag != nullptr)
        lines.emplace_back(GameTextClass::SkillRequirementsNotMet, LocalizedName(tag), false);
    else
        lines.emplace_back(GameTextClass::SkillRequirements, LocalizedName("tagSkillUsableReady"),
                           false);
}

void GameEngine::GenerateUISkillText(const Skill* skill, std::vector<GameTextLine>& lines,
                                     const SkillReasons* reasons, bool noRequirements,
                                     bool reclaimMode, int32_t cost)
{
    if (skill == nullptr)
        return;
    skill->CreateUISkillHeading(lines);
    AddBlankLine(lines);
    if (skill->IsDefaultSkill())
        return;
    if (skill->GetCurrentLevel() > 0) {
        skill->CreateUIParameterText(lines);
        AddBlankLine(lines);
    }
    if ((reasons != nullptr && reasons->hideRequirements != 0 && !reclaimMode) || noRequirements)
        return;
    skill->CreateUINextParameterText(lines);
    if (reasons == nullptr)
        return;
    AddBlankLine(lines);
    if (reclaimMode)
        AddReclaimLine(*skill, *reasons, cost, lines);
    else
        AddRaiseLine(*skill, *reasons, lines);
}

} // namespace GAME
