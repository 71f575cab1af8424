#include "host/scenarios/CharacterReport.h"

#include "characters/AnimationSet.h"
#include "characters/CharFxPak.h"
#include "characters/Character.h"
#include "characters/ExperienceLevelControl.h"
#include "characters/Monster.h"
#include "characters/PFxManager.h"
#include "characters/Player.h"
#include "combat/DeathManager.h"
#include "core/PlayStatsDamageType.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "host/HostSamples.h"

#include <algorithm>
#include <iterator>
#include <ostream>
#include <string>

namespace GAME {

namespace {

constexpr uint32_t kTableLevels = 5;
constexpr int kBioStepMs = 500;
constexpr int kBioSteps = 6;

// In the order of a character's sets.
constexpr const char* kStyleNames[Character::kNumAnimationSets] = {
    "unarmed", "single-handed", "dual-wielded", "spear", "bow", "staff",
};

struct EffectCounts {
    size_t packs = 0;
    size_t packsWithEffects = 0;
    size_t particleEffects = 0;
    size_t absorptionEffects = 0;
    size_t absorptionSounds = 0;
};

// A character as the host looks into it: its sets by weapon style and its shared effect packs
// are its own business, and it offers no view of them.
template <class Kind> class Shown final : public Kind {
public:
    const AnimationSet* GetSetOfStyle(size_t style) const
    {
        return this->animationSets[style].get();
    }

    EffectCounts CountEffects() const
    {
        EffectCounts counts;
        const auto count = [&counts](const CharFxPak& pack) {
            ++counts.packs;
            if (!pack.GetParticleEffectIds().empty() || !pack.GetMeshEffectIds().empty())
                ++counts.packsWithEffects;
        };
        for (const CharFxPak& pack : this->damageFx)
            count(pack);
        count(this->fireBuffFx);
        count(this->poisonBuffFx);
        counts.particleEffects = this->pfxManager.GetNumParticleEffects();
        for (const auto& [type, effect] : this->absEffects) {
            counts.absorptionEffects += effect.effectName.empty() ? 0 : 1;
            counts.absorptionSounds +=
                ObjectManager::Instance().GetObject<SoundPak>(effect.soundId) != nullptr ? 1 : 0;
        }
        return counts;
    }
};

const char* GenderName(Character_Gender gender)
{
    static constexpr const char* kNames[] = {"none",  "Male",      "Female",  "Native",
                                             "Satyr", "JackalMan", "Tigerman"};
    const auto index = static_cast<size_t>(gender);
    return index < std::size(kNames) ? kNames[index] : "none";
}

const char* PathingSizeName(PathingSize size)
{
    switch (size) {
    case PathingSize_Medium:
        return "Medium";
    case PathingSize_Large:
        return "Large";
    default:
        return "Small";
    }
}

std::string TeamText(const Team& team)
{
    if (!team.IsInitialized())
        return "none";
    static constexpr const char* kMajors[] = {"friendly", "hostile", "human", "monster"};
    const uint32_t major = team.GetTeamMajor();
    const std::string majorText =
        major < std::size(kMajors) ? kMajors[major] : "major " + std::to_string(major);
    return majorText + ", minor " + std::to_string(team.GetTeamMinor());
}

// The experience at which each of the first levels begins, from a control of its own loaded
// from the same record, so the character's own level stays as it is.
void ShowExperienceTable(const Character& character, std::ostream& out)
{
    ExperienceLevelControl levels;
    levels.Load(ObjectManager::Instance().GetLoadTable(character.GetObjectName()));
    out << "  experience table:";
    const uint32_t last = std::min(kTableLevels, levels.GetMaxPlayerLevel());
    if (last == 0)
        out << " none";
    for (uint32_t level = 1; level <= last; ++level) {
        levels.SetCurrentStats(level, 0);
        out << (level > 1 ? ", " : " ") << level << " -> " << levels.GetLastLevelExperience();
    }
    if (last != 0)
        out << " (first " << last << " of " << levels.GetMaxPlayerLevel() << " levels)";
    out << '\n';
}

// Enters the world as a level's character does, with its first update, and prints what it
// loaded.
template <class Kind> void Describe(const char* role, Shown<Kind>& character, std::ostream& out)
{
    character.InitialUpdate();
    character.GetCharacterBio().Update(character, 0);

    out << role << ": " << character.GetObjectName() << '\n'
        << "  class: " << character.GetClassInfo()->GetName() << '\n'
        << "  level: " << character.GetCharLevel() << " (experience "
        << character.GetExperiencePoints() << ")\n"
        << "  life: " << HostSamples::OneDecimal(character.GetCurrentLife()) << " of "
        << HostSamples::OneDecimal(character.GetCharacterBio().GetLifeLimit()) << '\n'
        << "  mana: " << HostSamples::OneDecimal(character.GetCurrentMana()) << " of "
        << HostSamples::OneDecimal(character.GetCharacterBio().GetManaLimit()) << '\n'
        << "  gender: " << GenderName(character.GetGender()) << '\n'
        << "  pathing size: " << PathingSizeName(character.GetSize()) << " (extents "
        << HostSamples::OneDecimal(character.GetExtents()) << ")\n"
        << "  team: " << TeamText(character.GetTeam()) << '\n';

    out << "  animation sets:";
    const char* separator = " ";
    for (size_t style = 0; style < Character::kNumAnimationSets; ++style) {
        const AnimationSet* set = character.GetSetOfStyle(style);
        if (set == nullptr)
            continue;
        out << separator << kStyleNames[style]
            << (set == character.GetAnimationSet() ? " (current)" : "");
        separator = ", ";
    }
    out << '\n';

    out << "  death handlers:";
    separator = " ";
    if (const DeathManager* deaths = character.GetDeathManager()) {
        for (const auto& handler : deaths->GetHandlers()) {
            out << separator << HostSamples::HandlerName(*handler);
            separator = ", ";
        }
    }
    out << '\n';

    const EffectCounts effects = character.CountEffects();
    out << "  effect packs: " << effects.packsWithEffects << " of " << effects.packs << " from the "
        << PathingSizeName(character.GetSize()) << " row, " << effects.particleEffects
        << " particle effects, " << effects.absorptionEffects << " absorption effects with "
        << effects.absorptionSounds << " sounds\n";

    ShowExperienceTable(character, out);
}

} // namespace

CharacterReport::CharacterReport(std::ostream& out, std::ostream& err) : out(out), err(err) {}

bool CharacterReport::Run()
{
    return HostSamples::WithLibrary(err, [this] { return ShowCharacters(); });
}

bool CharacterReport::ShowCharacters()
{
    Shown<Player>* player = HostSamples::Make<Shown<Player>>(kSamplePlayer, err);
    Shown<Monster>* monster =
        player != nullptr ? HostSamples::Make<Shown<Monster>>(kSampleMonster, err) : nullptr;
    if (monster != nullptr) {
        Describe("player", *player, out);
        Describe("monster", *monster, out);
        ShowBio(*player);
    }
    HostSamples::Destroy(monster);
    HostSamples::Destroy(player);
    return monster != nullptr;
}

// The wound taints the bio, so from then on it regenerates instead of refilling.
void CharacterReport::ShowBio(Character& character)
{
    out << "bio of " << character.GetObjectName() << " after losing "
        << HostSamples::OneDecimal(kWound) << " life (life each " << kBioStepMs << " ms):\n";
    character.SubtractLife(kWound, PlayStatsDamageType{});
    for (int step = 0; step <= kBioSteps; ++step) {
        if (step > 0)
            character.GetCharacterBio().Update(character, kBioStepMs);
        out << "  " << step * kBioStepMs
            << " ms: " << HostSamples::OneDecimal(character.GetCurrentLife()) << '\n';
    }
}

} // namespace GAME
