#include "host/scenarios/DuelSkillReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatManager.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/EquipLocations.h"
#include "items/Inventory.h"
#include "items/Item.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "skills/Skill.h"
#include "skills/SkillBuff.h"
#include "skills/SkillBuffTransfer.h"
#include "skills/SkillBuff_PassiveShield.h"
#include "skills/SkillManager.h"
#include "skills/SkillProfile.h"
#include "skills/Skill_WeaponPool_Charged.h"
#include "world/ProjectileBase.h"

#include <functional>
#include <memory>
#include <ostream>
#include <sstream>

namespace GAME {

namespace {

constexpr uint32_t kDuelSkillRegion = 1;
constexpr const char* kHunter = "Records/Creatures/PC/Hero.dbr";
constexpr const char* kPackMember = "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
// Both machines make the same objects under the same ids, as spawning would.
constexpr uint32_t kHunterId = 0x201;
constexpr uint32_t kPackIds[] = {0x202, 0x203, 0x204};
constexpr uint32_t kBowId = 0x205;
// The pack stands together, within the rot's reach of each other, a bow shot from the hunter.
constexpr Vec3 kPackPlaces[] = {{0.0f, 0.0f, 6.0f}, {1.5f, 0.0f, 7.0f}, {-1.5f, 0.0f, 7.0f}};

std::string Seconds(int32_t ms)
{
    return HostSamples::OneDecimal(static_cast<float>(ms) * 0.001f) + " s";
}

// Each buff a character holds: its name, level and time left.
std::string BuffsText(Character& character)
{
    SkillManager& skills = character.GetSkillManager();
    std::vector<SkillManager::_SkillBuffReplica> replicas;
    skills.GetSkillBuffReplica(replicas);
    std::string text;
    for (const SkillManager::_SkillBuffReplica& replica : replicas) {
        const SkillBuff* buff = skills.GetSkillBuff(replica.buff.skillName);
        if (buff == nullptr)
            continue;
        text += (text.empty() ? "" : ", ") + replica.buff.skillName + " level " +
                std::to_string(buff->GetCurrentLevel()) + " (" +
                Seconds(buff->GetTimeToLiveRemaining()) + " left";
        if (const auto* shield = dynamic_cast<const SkillBuff_PassiveShield*>(buff))
            text += ", shield left " + HostSamples::OneDecimal(shield->GetShieldLeft());
        text += ")";
    }
    return text.empty() ? "none" : text;
}

// Until projectiles fly, each arrow the packets launched lands on its target at once: on the
// controlling machine it reports the hit to its skill, which sends the result; every machine then
// takes the arrow down. Answers how many arrows there were.
size_t LandArrows(const std::vector<std::vector<uint8_t>>& packets, bool report)
{
    size_t arrows = 0;
    ObjectManager& objects = ObjectManager::Instance();
    for (const std::vector<uint8_t>& bytes : packets) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        const auto* launch = dynamic_cast<const CreateProjectileConfigCmdPacket*>(packet.get());
        if (launch == nullptr)
            continue;
        auto* arrow = objects.GetObject<ProjectileBase>(launch->projectileId);
        if (arrow == nullptr)
            continue;
        ++arrows;
        const ProjectileInfo info = arrow->GetInfo();
        auto* skill = objects.GetObject<Skill>(info.skillId);
        if (report && skill != nullptr && info.targetId != 0)
            skill->TargetInformation(info, arrow->GetCoords(), {info.targetId});
        arrow->DeleteProjectile();
    }
    objects.ProcessDestroyedObjects();
    return arrows;
}

} // namespace

DuelSkillReport::DuelSkillReport(std::ostream& out, std::ostream& err, uint32_t seed)
    : out(out), err(err), seed(seed)
{}

bool DuelSkillReport::Run()
{
    out << "duel skills as server, seed " << seed << ":\n";
    if (!HostSamples::InNetworkWorld(false, err, [this] { return PlayServer(); }))
        return false;
    size_t sent = decided.size();
    for (const Step& step : steps)
        sent += step.actions.size() + step.frame.size();
    out << "  client: a fresh engine replays the " << sent << " packets received\n";
    if (!HostSamples::InNetworkWorld(true, err, [this] { return ReplayClient(); }))
        return false;
    out << "  server and client agree: " << (serverState == clientState ? "yes" : "no") << '\n';
    return true;
}

DuelSkillReport::Cast DuelSkillReport::Stage()
{
    Cast cast;
    World& world = *gEngine->GetWorld();
    cast.hunter = HostSamples::Make<Player>(kHunter, err, kHunterId);
    if (cast.hunter == nullptr)
        return cast;
    world.AddEntity(cast.hunter, WorldCoords(kDuelSkillRegion, Coords()), false);
    for (size_t i = 0; i < std::size(kPackIds); ++i) {
        auto* member = HostSamples::Make<Monster>(kPackMember, err, kPackIds[i]);
        if (member == nullptr)
            return cast;
        world.AddEntity(
            member, WorldCoords(kDuelSkillRegion, Coords::FromTranslation(kPackPlaces[i])), false);
        cast.pack.push_back(member);
    }
    auto* bow = ObjectManager::Instance().CreateObjectFromFile<Item>(kBow, kBowId);
    if (bow == nullptr) {
        err << "gamehost: sample item record '" << kBow << "' does not make an item\n";
        return cast;
    }
    cast.hunter->GetInventory().AddItemToInventory(kBowId, false);
    // A bow is held in the left hand.
    cast.hunter->AttachItemAction(kBowId, EquipLocations_LeftHand);
    cast.hunter->GetSkillManager().LoadSkills(kHuntingTree, 25);
    if (cast.hunter->GetSkillManager().FindSkillId(kPool) == 0) {
        err << "gamehost: sample skill record '" << kPool << "' does not make a skill\n";
        return cast;
    }
    cast.hunter->InitialUpdate();
    cast.hunter->GetCharacterBio().Update(*cast.hunter, 0);
    // The manager learns of the bow (and so of its range) in its frame.
    cast.hunter->GetSkillManager().Update(0);
    for (Monster* member : cast.pack) {
        member->InitialUpdate();
        member->GetCharacterBio().Update(*member, 0);
    }
    cast.made = true;
    return cast;
}

bool DuelSkillReport::PlayServer()
{
    Cast cast = Stage();
    if (!cast.made)
        return false;
    // The rolls the server makes for its arrows come from the run's seed, not the clock.
    gGameEngine->GetRandomGen().Seed(seed);
    cast.hunter->SetIsControllingCharacter(true);
    cast.hunter->GetSkillManager().SetAsControllingManager();
    for (Monster* member : cast.pack)
        member->GetSkillManager().SetAsControllingManager();
    out << "  hunter " << kHunterId << " with bow " << kBowId << " and " << kPool << "; pack "
        << kPackIds[0] << ", " << kPackIds[1] << ", " << kPackIds[2] << '\n';
    // The controlling machine decides what its skills can do before the first swing; what that
    // sends reaches the client with the first step.
    cast.hunter->GetSkillManager().Update(0);
    decided = TakeSent();

    const int32_t framesPerSecond = 1000 / kFrameMs;
    for (int32_t second = 0; second < kSeconds; ++second) {
        for (int32_t frame = 0; frame < framesPerSecond; ++frame) {
            Step step;
            if (frame == 0) {
                if (second == 0) {
                    // The scripted requests, as a caster's skill sends them to the receivers'
                    // controllers.
                    SkillBuffTransfer shield{kShield, kShieldLevel, "",       0, "",
                                             0,       kShieldMs,    kHunterId};
                    cast.hunter->ControllerAddSkillBuff(shield, {}, false);
                    SkillBuffTransfer rot{kRot, kRotLevel, "", 0, "", 0, kRotMs, kHunterId};
                    cast.pack[1]->ControllerAddSkillBuff(rot, {}, false);
                }
                Swing(cast, second);
                step.actions = TakeSent();
                const size_t arrows = LandArrows(step.actions, true);
                if (arrows != 0) {
                    out << "  second " << second << ": " << arrows << " arrows loosed\n";
                    for (std::vector<uint8_t>& bytes : TakeSent())
                        step.actions.push_back(std::move(bytes));
                }
                Strike(cast, second);
            }
            Frame(cast);
            step.frame = TakeSent();
            steps.push_back(std::move(step));
        }
        out << SecondText(cast);
    }
    serverState = EndState(cast);
    out << "  server end state:\n" << serverState;
    return true;
}

bool DuelSkillReport::ReplayClient()
{
    Cast cast = Stage();
    if (!cast.made)
        return false;
    const auto replay = [this](const std::vector<std::vector<uint8_t>>& packets) {
        for (const std::vector<uint8_t>& bytes : packets) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            replayed += packet != nullptr && NetworkShim::ReceivePacket(0, *packet) ? 1 : 0;
        }
    };
    replay(decided);
    const int32_t framesPerSecond = 1000 / kFrameMs;
    for (size_t i = 0; i < steps.size(); ++i) {
        // The swing's start reaches every machine as a character action: the client starts the
        // pool with the same seed, so the drawn attack knows its pool there too.
        if (i % static_cast<size_t>(framesPerSecond) == 0)
            Swing(cast, static_cast<int32_t>(i) / framesPerSecond);
        replay(steps[i].actions);
        LandArrows(steps[i].actions, false);
        if (i % static_cast<size_t>(framesPerSecond) == 0)
            Strike(cast, static_cast<int32_t>(i) / framesPerSecond);
        Frame(cast);
        replay(steps[i].frame);
    }
    TakeSent();
    clientState = EndState(cast);
    out << "  client ran " << replayed << " of them; client end state:\n" << clientState;
    return true;
}

// The hunter uses the pool on the pack's leader: start, swipe, hit, end, as the animation's
// callbacks would run them.
void DuelSkillReport::Swing(Cast& cast, int32_t second)
{
    SkillManager& skills = cast.hunter->GetSkillManager();
    const uint32_t reference = skills.GetSkillReferenceNumber(skills.FindSkillId(kPool));
    Monster& target = *cast.pack[0];
    const WorldVec3 point = target.GetCoords().GetPosition();
    const uint32_t targetId = target.GetObjectId();
    if (!skills.StartSkill(reference, targetId, point, HostSamples::StepSeed(seed, second))) {
        out << "  second " << second << ": the pool does not start\n";
        return;
    }
    skills.HandleSkillAnimationCallback(Name::Create("Swipe"), reference, targetId, point);
    skills.HandleSkillAnimationCallback(Name::Create("LeftHandHit"), reference, targetId, point);
    skills.HandleSkillAnimationCallback(Name::Create("End"), reference, targetId, point);
}

// The pack's leader claws the hunter, the same blow on both machines.
void DuelSkillReport::Strike(Cast& cast, int32_t second)
{
    Monster& leader = *cast.pack[0];
    RandomUniform generator;
    generator.Seed(HostSamples::StepSeed(seed ^ 0x5EEDu, second));
    ParametersCombat parameters(generator);
    parameters.attackerId = leader.GetObjectId();
    parameters.style = ParametersCombatStyle_Probability;
    parameters.offensiveAbility = leader.DesignerCalculateOffensiveAbility(0.0f);
    CombatAttributeAccumulator& attributes = parameters.attributes;
    leader.GetCombatManager().GetHandHitDamage(attributes);
    attributes.ProcessDamage(leader, 0.0f, leader.GetOffensiveReduction(),
                             leader.GetTotalDamageReductionPercent(),
                             leader.GetTotalDamageReductionAbsolute());
    cast.hunter->TakeAttack(parameters);
}

void DuelSkillReport::Frame(Cast& cast)
{
    std::vector<Character*> everyone{cast.hunter};
    everyone.insert(everyone.end(), cast.pack.begin(), cast.pack.end());
    for (Character* character : everyone) {
        character->GetSkillManager().Update(kFrameMs);
        character->GetCombatManager().Update(kFrameMs, character->GetCharacterBio());
        // Costs are queued on the bio; its frame applies them.
        character->GetCharacterBio().Update(*character, kFrameMs);
    }
}

std::vector<std::vector<uint8_t>> DuelSkillReport::TakeSent()
{
    std::vector<std::vector<uint8_t>> packets;
    for (ConnectionManager::SentPacket& sent :
         gEngine->GetNetworkConnectionManager().TakeSentPackets())
        packets.push_back(std::move(sent.bytes));
    return packets;
}

std::string DuelSkillReport::SecondText(Cast& cast)
{
    SkillManager& skills = cast.hunter->GetSkillManager();
    std::ostringstream text;
    text << "  after " << steps.size() * kFrameMs << " ms:";
    if (const auto* pool = dynamic_cast<const Skill_WeaponPool_Charged*>(
            skills.GetSkill(skills.FindSkillId(kPool))))
        text << " charge " << pool->GetReplicatedCharge() << " of " << pool->GetMaxCharge();
    text << ", mana " << HostSamples::OneDecimal(cast.hunter->GetCurrentMana()) << ", cooldowns [";
    bool first = true;
    for (uint32_t reference = 0;; ++reference) {
        const Skill* skill = skills.GetSkill(skills.GetSkillIdFromReference(reference));
        if (skill == nullptr)
            break;
        if (skill->GetCooldownRemaining() > 0) {
            text << (first ? "" : ", ") << ShownName(skill->GetObjectName()) << ' '
                 << Seconds(skill->GetCooldownRemaining());
            first = false;
        }
    }
    text << "]\n    hunter: life " << HostSamples::OneDecimal(cast.hunter->GetCurrentLife())
         << ", buffs " << BuffsText(*cast.hunter) << '\n';
    for (size_t i = 0; i < cast.pack.size(); ++i)
        text << "    pack " << cast.pack[i]->GetObjectId() << ": life "
             << HostSamples::OneDecimal(cast.pack[i]->GetCurrentLife()) << ", buffs "
             << BuffsText(*cast.pack[i]) << '\n';
    return text.str();
}

// What both machines must agree on: lives, mana, the pool's charge and every buff.
std::string DuelSkillReport::EndState(Cast& cast)
{
    std::ostringstream text;
    SkillManager& skills = cast.hunter->GetSkillManager();
    const auto* pool =
        dynamic_cast<const Skill_WeaponPool_Charged*>(skills.GetSkill(skills.FindSkillId(kPool)));
    text << "    hunter: life " << HostSamples::OneDecimal(cast.hunter->GetCurrentLife())
         << ", mana " << HostSamples::OneDecimal(cast.hunter->GetCurrentMana()) << ", charge "
         << (pool != nullptr ? pool->GetReplicatedCharge() : 0) << ", buffs "
         << BuffsText(*cast.hunter) << '\n';
    for (Monster* member : cast.pack)
        text << "    pack " << member->GetObjectId() << ": life "
             << HostSamples::OneDecimal(member->GetCurrentLife()) << ", buffs "
             << BuffsText(*member) << '\n';
    return text.str();
}

} // namespace GAME
