#include "host/scenarios/DuelReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/DurationDamageReplication.h"
#include "core/GameLog.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/HostSamples.h"
#include "host/scenarios/CharacterReport.h"
#include "host/scenarios/DuelSkillReport.h"
#include "host/scenarios/DuelSpellReport.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

// Only lends the replica lists a packet to be written into.
class ReplicaCarrier final : public NetPacket {
public:
    ReplicaCarrier() : NetPacket(0) {}
    uint32_t PrepareOutBuffer() override { return 0; }
    void CopyInbound(const uint8_t* /*data*/, int /*length*/) override {}
    std::string GetPacketDescription(bool /*withType*/) const override { return std::string(); }
};

// The two counted lists as a character's replication data carries them.
std::vector<uint8_t> ReplicaBytes(const DurationDamageManager& damageOverTime)
{
    std::vector<DurationDamageReplication> damage;
    std::vector<FixedDurationDamageReplication> fixed;
    damageOverTime.GetDamageReplica(damage);
    damageOverTime.GetFixedDamageReplica(fixed);
    ReplicaCarrier carrier;
    NetPacketOutBuffer buffer(carrier);
    DurationDamageReplication::WriteList(buffer, damage);
    FixedDurationDamageReplication::WriteList(buffer, fixed);
    buffer.Done();
    return std::vector<uint8_t>(carrier.GetOutBuffer() + NetPacketHeader::kSize,
                                carrier.GetOutBuffer() + carrier.GetOutBufferSize());
}

// The ticks still to come, by kind.
std::map<CombatAttributeType, size_t> TicksLeft(const DurationDamageManager& damageOverTime)
{
    std::map<CombatAttributeType, size_t> ticks;
    for (const DurationDamageTrack& track : damageOverTime.GetTracks())
        ticks[track.GetDamageType()] += track.GetActiveTicks().size();
    return ticks;
}

// "Poison" rather than the type's full name.
std::string KindName(CombatAttributeType type)
{
    static const std::string prefix = "CombatAttributeType_";
    const std::string name = GetCombatAttributeTypeName(type);
    return name.compare(0, prefix.size(), prefix) == 0 ? name.substr(prefix.size()) : name;
}

std::string TicksText(const std::map<CombatAttributeType, size_t>& before,
                      const std::map<CombatAttributeType, size_t>& after, float lifeLost)
{
    std::string text;
    for (const auto& [type, count] : before) {
        const auto left = after.find(type);
        const size_t remaining = left != after.end() ? left->second : 0;
        const size_t dealt = count > remaining ? count - remaining : 0;
        if (dealt != 0)
            text += (text.empty() ? "" : ", ") + std::to_string(dealt) + " " + KindName(type);
    }
    if (!text.empty())
        text += " (" + HostSamples::OneDecimal(lifeLost) + " life)";
    return text;
}

const char* StyleText(ParametersCombatStyle style)
{
    return style == ParametersCombatStyle_Projectile ? "style 2 (projectile)" : "style 1 (melee)";
}

} // namespace

DuelReport::Transcript::Transcript(std::ostream& out) : out(out), previousWord(gLogCombat)
{
    gLogCombat = kCombatLogWord;
    previous =
        gEngine->SetLogSink([this](int level, const std::string& line) { Write(level, line); });
}

DuelReport::Transcript::~Transcript()
{
    gEngine->SetLogCategories(0);
    gEngine->SetLogSink(std::move(previous));
    gLogCombat = previousWord;
}

void DuelReport::Transcript::Write(int level, const std::string& line)
{
    if (level != Engine::LogInfo || !gEngine->IsLogCategoryEnabled(gLogCombat)) {
        if (previous)
            previous(level, line);
        return;
    }
    // Most trace lines end in their own newline, a few in none; each call is one line here.
    const size_t length = !line.empty() && line.back() == '\n' ? line.size() - 1 : line.size();
    if (length > 0)
        out << "  " << line.substr(0, length);
    out << '\n';
}

DuelReport::DuelReport(std::ostream& out, std::ostream& err, int32_t hits, uint32_t seed)
    : out(out), err(err), hits(hits), seed(seed)
{}

bool DuelReport::Run()
{
    return HostSamples::WithLibrary(err, [this] { return ShowDuel(); }) &&
           DuelSkillReport(out, err, seed).Run() && DuelSpellReport(out, err, seed).Run();
}

bool DuelReport::ShowDuel()
{
    Player* player = HostSamples::Make<Player>(CharacterReport::kSamplePlayer, err);
    Monster* monster = player != nullptr
                           ? HostSamples::Make<Monster>(CharacterReport::kSampleMonster, err)
                           : nullptr;
    const bool dressed = monster != nullptr && DressMonster(*monster);
    if (dressed) {
        playerId = player->GetObjectId();
        for (Character* character :
             {static_cast<Character*>(player), static_cast<Character*>(monster)}) {
            character->InitialUpdate();
            character->GetCharacterBio().Update(*character, 0);
        }
        out << "duel of " << hits << " hits, seed " << seed << ":\n"
            << "  player: " << CharacterReport::kSamplePlayer << ", its blows poisoned ("
            << HostSamples::OneDecimal(kPoisonPerSecond) << " a second for "
            << HostSamples::OneDecimal(kPoisonSeconds) << " s)\n"
            << "  monster: " << CharacterReport::kSampleMonster << ", wearing " << kMonsterItemSet
            << '\n';
        Transcript transcript(out);
        int32_t monsterHits = 0;
        int32_t hit = 1;
        for (; hit <= hits; ++hit) {
            if (hit % 2 == 1) {
                ShowHit(hit, *player, *monster, ParametersCombatStyle_Probability);
            } else {
                // The monster alternates claws and a thrown stone.
                const bool melee = monsterHits++ % 2 == 0;
                ShowHit(hit, *monster, *player,
                        melee ? ParametersCombatStyle_Probability
                              : ParametersCombatStyle_Projectile);
            }
            if (player->GetCurrentLife() <= 0.0f || monster->GetCurrentLife() <= 0.0f)
                break;
            ShowSecond(*player, *monster);
        }
        out << "duel over after " << std::min(hit, hits) << " hits: player "
            << HostSamples::OneDecimal(player->GetCurrentLife()) << " life, monster "
            << HostSamples::OneDecimal(monster->GetCurrentLife()) << " life\n";
    }
    HostSamples::Destroy(monster);
    HostSamples::Destroy(player);
    return dressed;
}

// The set stands in for the one piece the monster wears, so its bonus counts at level 1.
bool DuelReport::DressMonster(Character& monster)
{
    if (!ObjectManager::Instance().LoadTableFile(kMonsterItemSet)) {
        err << "gamehost: sample item set record '" << kMonsterItemSet << "' cannot be read\n";
        return false;
    }
    GameEngine::Get().LoadItemSet(kMonsterItemSet);
    monster.AddItemToSet(kMonsterItemSet, kMonsterItemSet);
    return true;
}

// One blow as a weapon skill would deal it: the attacker's bare hands (and, for the player,
// poison), processed on the attacker's side, then taken by the defender.
void DuelReport::ShowHit(int32_t hit, Character& attacker, Character& defender,
                         ParametersCombatStyle style)
{
    RandomUniform generator;
    generator.Seed(HostSamples::StepSeed(seed, hit));
    ParametersCombat parameters(generator);
    parameters.attackerId = attacker.GetObjectId();
    parameters.style = style;
    parameters.offensiveAbility = attacker.DesignerCalculateOffensiveAbility(0.0f);
    parameters.fumbleChance = attacker.GetFumbleDamage();
    CombatAttributeAccumulator& attributes = parameters.attributes;
    attacker.GetCombatManager().GetHandHitDamage(attributes);
    if (attacker.GetObjectId() == playerId)
        attributes.AddDamage(std::make_unique<CombatAttributeDurDamage>(
            CombatAttributeType_Poison, kPoisonPerSecond, kPoisonSeconds));
    attributes.ProcessDamage(attacker, 0.0f, attacker.GetOffensiveReduction(),
                             attacker.GetTotalDamageReductionPercent(),
                             attacker.GetTotalDamageReductionAbsolute());

    out << "hit " << hit << " at " << (hit - 1) * kSecondMs << " ms: " << RoleOf(attacker)
        << " strikes " << RoleOf(defender) << ", " << StyleText(style) << '\n';
    const float attackerLife = attacker.GetCurrentLife();
    const float defenderLife = defender.GetCurrentLife();
    gEngine->SetLogCategories(gLogCombat);
    const bool landed = defender.TakeAttack(parameters);
    gEngine->SetLogCategories(0);
    out << "  " << (landed ? "landed" : "did not land") << "; life: " << RoleOf(defender) << ' '
        << HostSamples::OneDecimal(defenderLife) << " -> "
        << HostSamples::OneDecimal(defender.GetCurrentLife()) << ", " << RoleOf(attacker) << ' '
        << HostSamples::OneDecimal(attackerLife) << " -> "
        << HostSamples::OneDecimal(attacker.GetCurrentLife()) << '\n';
    ShowReplica(defender);
}

// Until characters update themselves, the duel runs their combat managers, frame by frame.
void DuelReport::ShowSecond(Character& player, Character& monster)
{
    const float playerLife = player.GetCurrentLife();
    const float monsterLife = monster.GetCurrentLife();
    const auto playerTicks = TicksLeft(player.GetDurationDamageMgr());
    const auto monsterTicks = TicksLeft(monster.GetDurationDamageMgr());
    for (int32_t ms = 0; ms < kSecondMs; ms += kFrameMs) {
        player.GetCombatManager().Update(kFrameMs, player.GetCharacterBio());
        monster.GetCombatManager().Update(kFrameMs, monster.GetCharacterBio());
    }
    const std::string texts[] = {
        TicksText(playerTicks, TicksLeft(player.GetDurationDamageMgr()),
                  playerLife - player.GetCurrentLife()),
        TicksText(monsterTicks, TicksLeft(monster.GetDurationDamageMgr()),
                  monsterLife - monster.GetCurrentLife()),
    };
    std::string line;
    for (size_t i = 0; i < std::size(texts); ++i) {
        if (!texts[i].empty())
            line += (line.empty() ? " " : "; ") + std::string(i == 0 ? "player " : "monster ") +
                    texts[i];
    }
    out << "  ticks in the next " << kSecondMs << " ms:" << (line.empty() ? " none" : line) << '\n';
}

void DuelReport::ShowReplica(Character& defender)
{
    const std::vector<uint8_t> bytes = ReplicaBytes(defender.GetDurationDamageMgr());
    out << "  " << RoleOf(defender) << " replica (" << bytes.size() << " bytes):";
    for (size_t i = 0; i < bytes.size(); ++i) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        out << (i % 4 == 0 ? " " : "") << digits;
    }
    out << '\n';
}

const char* DuelReport::RoleOf(const Character& character) const
{
    return character.GetObjectId() == playerId ? "player" : "monster";
}

} // namespace GAME
