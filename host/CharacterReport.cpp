#include "host/CharacterReport.h"

#include "characters/AnimationSet.h"
#include "characters/CharFxPak.h"
#include "characters/Character.h"
#include "characters/ExperienceLevelControl.h"
#include "characters/Monster.h"
#include "characters/PFxManager.h"
#include "characters/Player.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "core/PlayStatsDamageType.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <ostream>
#include <string>
#include <typeinfo>

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Host/CharacterReport";
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

std::string OneDecimal(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

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

const char* HandlerName(const DeathHandler& handler)
{
    static const struct {
        const std::type_info& type;
        const char* name;
    } kKinds[] = {
        {typeid(DefaultDeathHandler), "Default"},
        {typeid(DissolveActorDeathHandler), "Dissolve"},
        {typeid(FadeActorDeathHandler), "Fade"},
        {typeid(PlaySoundDeathHandler), "PlaySound"},
        {typeid(SpawnActorDeathHandler), "SpawnActor"},
        {typeid(SpawnMyBonesDeathHandler), "SpawnMyBones"},
        {typeid(PlayEffectDeathHandler), "PlayEffect"},
    };
    for (const auto& kind : kKinds) {
        if (typeid(handler) == kind.type)
            return kind.name;
    }
    return "other";
}

// Made as `ObjectManager::CreateObjectFromFile` makes it, once the record is known to ask for
// this kind; null, with one line on `err`, otherwise.
template <class Kind> Shown<Kind>* Make(const char* record, std::ostream& err)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record)) {
        err << "gamehost: sample character record '" << record << "' cannot be read\n";
        return nullptr;
    }
    const LoadTable& table = objects.GetLoadTable(record);
    const std::string className = table.GetString("Class");
    if (className != Kind::classInfo.GetName()) {
        err << "gamehost: sample character record '" << record << "' names class '" << className
            << "', not " << Kind::classInfo.GetName() << '\n';
        return nullptr;
    }
    auto* character = new Shown<Kind>();
    if (!objects.RegisterObject(character)) {
        delete character;
        err << "gamehost: no object id is left for '" << record << "'\n";
        return nullptr;
    }
    character->SetObjectName(record);
    character->Load(table);
    return character;
}

void Destroy(Character* character)
{
    ObjectManager::Instance().DestroyObjectEx(character, kSourceFile, __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
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
        << "  life: " << OneDecimal(character.GetCurrentLife()) << " of "
        << OneDecimal(character.GetCharacterBio().GetLifeLimit()) << '\n'
        << "  mana: " << OneDecimal(character.GetCurrentMana()) << " of "
        << OneDecimal(character.GetCharacterBio().GetManaLimit()) << '\n'
        << "  gender: " << GenderName(character.GetGender()) << '\n'
        << "  pathing size: " << PathingSizeName(character.GetSize()) << " (extents "
        << OneDecimal(character.GetExtents()) << ")\n"
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
            out << separator << HandlerName(*handler);
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
    InitializeObjects();
    // The library reports an engine it could not allocate by leaving the global null.
    if (gGameEngine == nullptr) {
        err << "gamehost: the game library did not start\n";
        return false;
    }
    const bool shown = ShowCharacters();
    ShutdownObjects();
    return shown;
}

bool CharacterReport::ShowCharacters()
{
    Shown<Player>* player = Make<Player>(kSamplePlayer, err);
    Shown<Monster>* monster = player != nullptr ? Make<Monster>(kSampleMonster, err) : nullptr;
    if (monster != nullptr) {
        Describe("player", *player, out);
        Describe("monster", *monster, out);
        ShowBio(*player);
    }
    Destroy(monster);
    Destroy(player);
    return monster != nullptr;
}

// The wound taints the bio, so from then on it regenerates instead of refilling.
void CharacterReport::ShowBio(Character& character)
{
    out << "bio of " << character.GetObjectName() << " after losing " << OneDecimal(kWound)
        << " life (life each " << kBioStepMs << " ms):\n";
    character.SubtractLife(kWound, PlayStatsDamageType{});
    for (int step = 0; step <= kBioSteps; ++step) {
        if (step > 0)
            character.GetCharacterBio().Update(character, kBioStepMs);
        out << "  " << step * kBioStepMs << " ms: " << OneDecimal(character.GetCurrentLife())
            << '\n';
    }
}

} // namespace GAME
