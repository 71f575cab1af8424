#include "host/scenarios/SkillReport.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatAttributeType.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "core/GameLog.h"
#include "core/GameTextLine.h"
#include "core/PlayStatsDamageType.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/CharacterReport.h"
#include "host/scenarios/DuelReport.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr uint32_t kNoReference = 0xFFFFFFFFu;

// The worn charm: an object whose record is the skill it grants.
class Charm final : public Object {};
// The modifier's levels whose lines are shown, each with what the next one changes.
constexpr uint32_t kShownLevels = 3;

std::string ClassName(const Object& object)
{
    return object.GetClassInfo() != nullptr ? object.GetClassInfo()->GetName() : "?";
}

// "#3 Toughness.dbr": the reference number and the record's last name, short enough for a list.
std::string ShortName(const SkillManager& manager, uint32_t skillId)
{
    const Skill* skill = manager.GetSkill(skillId);
    if (skill == nullptr)
        return "none";
    const std::string& name = skill->GetObjectName();
    const size_t slash = name.find_last_of("/\\");
    std::string text = "#";
    text += std::to_string(manager.GetSkillReferenceNumber(skillId));
    text += ' ';
    return text + ShownName(slash == std::string::npos ? name : name.substr(slash + 1));
}

std::string IdList(const SkillManager& manager, const std::vector<uint32_t>& ids)
{
    std::string text;
    for (uint32_t id : ids)
        text += (text.empty() ? "" : ", ") + ShortName(manager, id);
    return text.empty() ? "none" : text;
}

void PrintLines(std::ostream& out, const char* indent, const std::vector<GameTextLine>& lines)
{
    if (lines.empty())
        out << indent << "(no lines)\n";
    for (const GameTextLine& line : lines)
        out << indent << GetGameTextClassName(line.style) << ": "
            << LocalizationManager::ToChar(line.text) << '\n';
}

// The library started in the given network role, and stopped again.
bool AsRole(bool client, std::ostream& err, const std::function<bool()>& show)
{
    gEngine->SetNetworkMode(client, client);
    const bool shown = HostSamples::WithLibrary(err, [&] {
        const bool done = show();
        ObjectManager::Instance().DestroyAllObjects();
        return done;
    });
    gEngine->SetNetworkMode(false, false);
    return shown;
}

// Skill levels by reference, as both machines must agree on them.
std::string LevelsText(const SkillManager& manager)
{
    std::string text;
    for (uint32_t reference = 0;; ++reference) {
        const Skill* skill = manager.GetSkill(manager.GetSkillIdFromReference(reference));
        if (skill == nullptr)
            break;
        if (reference != 0)
            text += ' ';
        text += std::to_string(reference) + ":" + std::to_string(skill->GetSkillLevel());
    }
    return text;
}

} // namespace

SkillReport::SkillReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool SkillReport::Run()
{
    out << "skills of the sample player and monster, seed " << options.seed << ":\n";
    if (!AsRole(false, err, [this] { return ShowPlayer(); }))
        return false;
    if (!AsRole(true, err, [this] { return ApplyReplica(); }))
        return false;
    std::vector<uint32_t> serverDraws;
    std::vector<uint32_t> clientDraws;
    if (!AsRole(false, err, [&] { return ShowMonster(false, serverDraws); }) ||
        !AsRole(true, err, [&] { return ShowMonster(true, clientDraws); }))
        return false;
    out << "  server and client draw alike: " << (serverDraws == clientDraws ? "yes" : "no")
        << '\n';
    return AsRole(false, err, [this] { return ShowSkillBase(); });
}

bool SkillReport::ShowSkillBase()
{
    Player* hero = HostSamples::Make<Player>(CharacterReport::kSamplePlayer, err);
    Monster* monster = hero != nullptr
                           ? HostSamples::Make<Monster>(CharacterReport::kSampleMonster, err)
                           : nullptr;
    if (monster != nullptr) {
        hero->SetIsControllingCharacter(true);
        hero->InitialUpdate();
        hero->GetCharacterBio().Update(*hero, 0);
        monster->InitialUpdate();
        SkillManager& manager = hero->GetSkillManager();
        manager.LoadSkills(kPlayerTree, kTreeSkills);
        manager.Update(0);
        out << "skill base, single player: the hero's tree at levels 1-3, tooltips at 0, 1 and "
               "the ultimate level\n";
        for (uint32_t reference = 0;; ++reference) {
            Skill* skill = manager.GetSkill(manager.GetSkillIdFromReference(reference));
            if (skill == nullptr)
                break;
            ShowSkillAtLevels(*hero, *skill);
        }
        ShowOnHitBuff(*hero, *monster);
    }
    HostSamples::Destroy(monster);
    HostSamples::Destroy(hero);
    return monster != nullptr;
}

// The skill is put at each level in turn and given back its own afterwards.
void SkillReport::ShowSkillAtLevels(Character& owner, Skill& skill)
{
    const uint32_t own = skill.GetSkillLevel();
    out << "  " << ShortName(owner.GetSkillManager(), skill.GetObjectId()) << " ("
        << ClassName(skill) << "): level " << own << ", current " << skill.GetCurrentLevel()
        << ", max " << skill.GetMaxLevel() << ", ultimate " << skill.GetUltimateLevel() << '\n';
    for (uint32_t level = 1; level <= kShownLevels; ++level) {
        skill.SetSkillLevel(level);
        skill.SetAvailability(false, false);
        const int32_t reason = skill.GetReason();
        const float mana = skill.GetManaCost();
        skill.StartCooldown();
        out << "    level " << level << ": current " << skill.GetCurrentLevel() << ", reason "
            << reason << ", mana cost " << HostSamples::OneDecimal(mana) << ", cooldown "
            << skill.GetCooldownTotal() << " ms\n";
        skill.EndCooldown();
    }
    for (const uint32_t level : {0u, 1u, skill.GetUltimateLevel()}) {
        skill.SetSkillLevel(level);
        std::vector<GameTextLine> lines;
        skill.CreateUISkillHeading(lines);
        skill.CreateUIParameterText(lines);
        skill.CreateUINextParameterText(lines);
        out << "    tooltip at level " << level << ":\n";
        PrintLines(out, "      ", lines);
    }
    skill.SetSkillLevel(own);
}

// The monster strikes until the rage fires (the engine's generator seeded), the shield takes
// its share of two blows, and the frames run until the rage is over.
void SkillReport::ShowOnHitBuff(Character& hero, Character& monster)
{
    SkillManager& manager = hero.GetSkillManager();
    Skill* rage = manager.GetSkill(manager.FindSkillId(kOnHitSkill));
    if (rage == nullptr) {
        out << "  on-hit buff: " << kOnHitSkill << " was not made\n";
        return;
    }
    std::vector<std::string> combatLines;
    // The host runs with no trace categories; the shield's lines are the combat trace's.
    const uint32_t previousWord = gLogCombat;
    gLogCombat = DuelReport::kCombatLogWord;
    gEngine->SetLogCategories(gLogCombat);
    Engine::LogSink previous;
    previous = gEngine->SetLogSink([&](int level, const std::string& line) {
        if (level == Engine::LogInfo)
            combatLines.push_back(line);
        else if (previous)
            previous(level, line);
    });
    const auto flush = [&] {
        for (std::string& line : combatLines) {
            while (!line.empty() && line.back() == '\n')
                line.pop_back();
            if (line.rfind("^b", 0) == 0)
                out << "    combat log: " << line << '\n';
        }
        combatLines.clear();
    };

    gGameEngine->GetRandomGen().Seed(options.seed);
    RandomUniform blows;
    blows.Seed(options.seed);
    out << "  on-hit buff " << ShortName(manager, rage->GetObjectId()) << ", seed " << options.seed
        << ": the monster " << monster.GetObjectName() << " strikes\n";
    // A wound first, so the rage's life bonus shows.
    hero.GetCombatManager().ApplyDamage(
        kWound,
        PlayStatsDamageType{PlayStatsDamageType::KindCombatAttribute, CombatAttributeType_Physical},
        CombatAttributeType_Physical);
    const float lifeBefore = hero.GetCurrentLife();
    const size_t filtersBefore = hero.GetCombatManager().GetCombatFilters().size();
    int hit = 1;
    for (; hit <= kMaxHits && !rage->GetActiveState().active; ++hit) {
        ParametersCombat parameters(blows);
        manager.UnderAttack(parameters);
    }
    if (!rage->GetActiveState().active) {
        out << "    no rage after " << kMaxHits << " hits\n";
    } else {
        out << "    hit " << hit - 1 << " fires it: life " << HostSamples::OneDecimal(lifeBefore)
            << " -> " << HostSamples::OneDecimal(hero.GetCurrentLife()) << ", active for "
            << rage->TrackableTotalTime(rage->GetCurrentLevel()) << " ms, combat filters "
            << hero.GetCombatManager().GetCombatFilters().size() << '\n';
        for (const float damage : {kHitDamage, kHitDamage / 4.0f}) {
            const float life = hero.GetCurrentLife();
            hero.GetCombatManager().ApplyDamage(
                damage,
                PlayStatsDamageType{PlayStatsDamageType::KindCombatAttribute,
                                    CombatAttributeType_Physical},
                CombatAttributeType_Physical);
            out << "    a blow of " << HostSamples::OneDecimal(damage) << ": life "
                << HostSamples::OneDecimal(life) << " -> "
                << HostSamples::OneDecimal(hero.GetCurrentLife()) << '\n';
            flush();
        }
        int32_t elapsed = 0;
        while (rage->GetActiveState().active && elapsed < 60000) {
            manager.Update(kFrameMs);
            elapsed += kFrameMs;
        }
        out << "    over after " << elapsed << " ms: active " << rage->GetActiveState().active
            << ", cooldown " << rage->GetCooldownRemaining() << " of " << rage->GetCooldownTotal()
            << " ms, combat filters " << filtersBefore << " before, "
            << hero.GetCombatManager().GetCombatFilters().size() << " after\n";
    }
    flush();
    gEngine->SetLogSink(previous);
    gEngine->SetLogCategories(0);
    gLogCombat = previousWord;
}

bool SkillReport::ShowPlayer()
{
    Player* player = HostSamples::Make<Player>(CharacterReport::kSamplePlayer, err);
    if (player == nullptr)
        return false;
    // The charm whose record names the skill it grants while it is worn.
    Object* charm = nullptr;
    ObjectManager& objects = ObjectManager::Instance();
    if (objects.LoadTableFile(kItemSkill)) {
        charm = new Charm();
        if (objects.RegisterObject(charm)) {
            charm->SetObjectName(kItemSkill);
        } else {
            delete charm;
            charm = nullptr;
        }
    }
    player->SetIsControllingCharacter(true);
    player->InitialUpdate();
    SkillManager& manager = player->GetSkillManager();
    manager.LoadSkills(kPlayerTree, kTreeSkills);
    if (charm != nullptr)
        manager.AddItemSkill(charm->GetObjectId(), kItemSkillLevel);

    out << "player: " << CharacterReport::kSamplePlayer << ", tree " << kPlayerTree << '\n';
    ShowSkills(manager);
    ShowGroups(manager);
    ShowModifierLines();

    // The server raises two levels before it sends the skills.
    const uint32_t toughness = manager.FindSkillId("Records/Skills/Warfare/Toughness.dbr");
    manager.IncrementSkill(toughness, 2);
    std::vector<SkillManager::_SkillReplica> replicas;
    manager.GetSkillReplica(replicas);
    SpawnPlayerPacket carrier;
    NetPacketOutBuffer wire(carrier);
    SkillManager::WriteReplicaLists(wire, replicas, {});
    wire.Done();
    const uint8_t* bytes = carrier.GetOutBuffer() + NetPacketHeader::kSize;
    replicaBytes.assign(bytes, bytes + (carrier.GetOutBufferSize() - NetPacketHeader::kSize));
    serverLevels = LevelsText(manager);
    out << "  replica: " << ShortName(manager, toughness) << " raised by 2; " << replicas.size()
        << " skills sent in " << replicaBytes.size() << " bytes\n"
        << "  server levels: " << serverLevels << '\n';
    HostSamples::Destroy(player);
    HostSamples::Destroy(charm);
    return true;
}

void SkillReport::ShowSkills(const SkillManager& manager)
{
    out << "  skills (reference: class, record, level, current level):\n";
    std::vector<uint32_t> ids;
    for (uint32_t reference = 0;; ++reference) {
        const uint32_t id = manager.GetSkillIdFromReference(reference);
        if (id == 0)
            break;
        ids.push_back(id);
    }
    for (uint32_t reference = SkillManager::kItemReferenceBase;; ++reference) {
        const uint32_t id = manager.GetSkillIdFromReference(reference);
        if (id == 0)
            break;
        ids.push_back(id);
    }
    for (uint32_t id : ids) {
        const Skill* skill = manager.GetSkill(id);
        out << "    " << manager.GetSkillReferenceNumber(id) << ": " << ClassName(*skill) << ", "
            << ShownName(skill->GetObjectName()) << ", level " << skill->GetSkillLevel()
            << ", current " << skill->GetCurrentLevel()
            << (skill->IsItemSkill() ? ", item skill" : "") << '\n';
    }
    out << "  unknown skill id 1 has reference "
        << (manager.GetSkillReferenceNumber(1) == kNoReference ? "0xFFFFFFFF" : "?")
        << "; reference 4095 names id " << manager.GetSkillIdFromReference(4095) << '\n';
    std::string active;
    for (const Skill* skill : manager.GetActiveList())
        active += (active.empty() ? "" : ", ") + ShortName(manager, skill->GetObjectId());
    out << "  active list: " << (active.empty() ? "none" : active) << '\n';
}

void SkillReport::ShowGroups(const SkillManager& manager)
{
    out << "  groups:\n";
    for (uint32_t reference = 0;; ++reference) {
        const uint32_t id = manager.GetSkillIdFromReference(reference);
        const Skill* skill = manager.GetSkill(id);
        if (skill == nullptr)
            break;
        if (skill->GetModifiers().empty() && skill->GetSecondarySkills().empty() &&
            skill->GetBaseSkills().empty() && skill->GetMasteryId() == 0)
            continue;
        out << "    " << ShortName(manager, id) << ": mastery "
            << ShortName(manager, skill->GetMasteryId()) << "; base "
            << IdList(manager, skill->GetBaseSkills()) << "; modifiers "
            << IdList(manager, skill->GetModifiers()) << "; secondaries "
            << IdList(manager, skill->GetSecondarySkills()) << '\n';
    }
}

void SkillReport::ShowModifierLines()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(kModifierSkill))
        return;
    const SkillProfile* profile = gGameEngine->LoadSkillResource(
        Name::Create(kModifierSkill), objects.GetLoadTable(kModifierSkill));
    if (profile == nullptr)
        return;
    out << "  lines of " << kModifierSkill << ":\n";
    for (uint32_t level = 1; level <= kShownLevels; ++level) {
        std::vector<GameTextLine> lines;
        profile->GetSkillModifierData(level).CreateText(GameTextClass::SkillStatsCurrent, lines);
        out << "    level " << level << ":\n";
        PrintLines(out, "      ", lines);
        lines.clear();
        profile->GetSkillModifierData(level + 1).CreateNextText(
            profile->GetSkillModifierData(level), lines);
        out << "    level " << level + 1 << " changes:\n";
        PrintLines(out, "      ", lines);
    }
}

bool SkillReport::ApplyReplica()
{
    Player* player = HostSamples::Make<Player>(CharacterReport::kSamplePlayer, err);
    if (player == nullptr)
        return false;
    player->InitialUpdate();
    SkillManager& manager = player->GetSkillManager();
    manager.LoadSkills(kPlayerTree, kTreeSkills);
    out << "client: a second engine makes the player from the same records\n"
        << "  levels before: " << LevelsText(manager) << '\n';
    SpawnPlayerPacket carrier;
    NetPacketInBuffer wire(carrier, replicaBytes.data(), static_cast<int>(replicaBytes.size()));
    std::vector<SkillManager::_SkillReplica> replicas;
    std::vector<SkillManager::_SkillBuffReplica> buffs;
    const bool read = SkillManager::ReadReplicaLists(wire, replicas, buffs);
    manager.SetSkillReplica(replicas);
    const std::string levels = LevelsText(manager);
    out << "  replica read: " << (read ? "yes" : "no") << ", " << replicas.size() << " skills\n"
        << "  levels after: " << levels << '\n'
        << "  the levels match the server's: " << (levels == serverLevels ? "yes" : "no") << '\n';
    HostSamples::Destroy(player);
    return true;
}

bool SkillReport::ShowMonster(bool client, std::vector<uint32_t>& draws)
{
    Monster* monster = HostSamples::Make<Monster>(CharacterReport::kSampleMonster, err);
    if (monster == nullptr)
        return false;
    monster->InitialUpdate();
    SkillManager& manager = monster->GetSkillManager();
    manager.LoadSkills(kMonsterTree, kTreeSkills);
    if (!client) {
        out << "monster: " << CharacterReport::kSampleMonster << ", tree " << kMonsterTree << '\n';
        ShowSkills(manager);
        out << "  weapon pool:";
        for (const Skill* skill : manager.GetWeaponPoolAttacks())
            out << ' ' << ShortName(manager, skill->GetObjectId()) << " weight "
                << skill->GetChanceWeight(false);
        out << "; default weight " << manager.GetDefaultWPChanceWeight() << '\n';
    }
    RandomUniform random;
    random.Seed(options.seed);
    for (int i = 0; i < kPoolDraws; ++i)
        draws.push_back(manager.GetSkillReferenceNumber(manager.SelectWeaponPoolSkill(random)));
    out << "  pool draws as " << (client ? "client" : "server") << ", seed " << options.seed << ":";
    // The default pool attack has no record in the sample database, hence no reference.
    for (uint32_t reference : draws) {
        if (reference == kNoReference)
            out << " default";
        else
            out << " #" << reference;
    }
    out << '\n';
    HostSamples::Destroy(monster);
    return true;
}

} // namespace GAME
