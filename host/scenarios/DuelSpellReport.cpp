#include "host/scenarios/DuelSpellReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatManager.h"
#include "core/GameLog.h"
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
#include "host/scenarios/DuelReport.h"
#include "host/scenarios/DuelSkillReport.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "skills/SkillServicesBase.h"
#include "skills/Skill_AttackRadiusLightning.h"
#include "world/Lightning.h"
#include "world/ProjectileBase.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace GAME {

namespace {

constexpr uint32_t kDuelSpellRegion = 1;
constexpr const char* kHero = "Records/Creatures/PC/Hero.dbr";
constexpr const char* kJackalman = "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
// Both machines make the same objects under the same ids, as spawning would.
constexpr uint32_t kHeroId = 0x301;
constexpr uint32_t kJackalmanId = 0x302;
// Close enough for the swing and the aura, far enough for the fireball to be seen flying.
constexpr Vec3 kJackalmanPlace{0.0f, 0.0f, 4.0f};

// "Fireball" for "Records/Skills/Duel/Fireball.dbr".
std::string ShortName(const std::string& record)
{
    const size_t slash = record.find_last_of("/\\");
    std::string name = slash == std::string::npos ? record : record.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string SkillName(uint32_t actorId, uint32_t reference)
{
    auto* actor = ObjectManager::Instance().GetObject<Character>(actorId);
    if (actor == nullptr)
        return "?";
    const Skill* skill = actor->GetSkillManager().GetSkill(
        actor->GetSkillManager().GetSkillIdFromReference(reference));
    return skill != nullptr ? ShownName(ShortName(skill->GetObjectName())) : "?";
}

std::string IdsText(const std::vector<uint32_t>& ids)
{
    std::string text;
    for (uint32_t id : ids)
        text += (text.empty() ? "" : ", ") + std::to_string(id);
    return "[" + text + "]";
}

} // namespace

DuelSpellReport::DuelSpellReport(std::ostream& out, std::ostream& err, uint32_t seed)
    : out(out), err(err), seed(seed)
{}

bool DuelSpellReport::Run()
{
    out << "duel spells as server, seed " << seed << ":\n";
    if (!HostSamples::InNetworkWorld(false, err, [this] { return PlayServer(); }))
        return false;
    for (const Packets& step : steps)
        sent += step.size();
    out << "  client: a fresh engine replays the " << sent << " packets received\n";
    if (!HostSamples::InNetworkWorld(true, err, [this] { return ReplayClient(); }))
        return false;
    out << "  server lives: " << serverLives << "\n  client lives: " << clientLives
        << "\n  lives equal: " << (serverLives == clientLives ? "yes" : "no") << '\n';
    return true;
}

DuelSpellReport::Cast DuelSpellReport::Stage()
{
    Cast cast;
    World& world = *gEngine->GetWorld();
    cast.hero = HostSamples::Make<Player>(kHero, err, kHeroId);
    cast.jackalman = HostSamples::Make<Monster>(kJackalman, err, kJackalmanId);
    if (cast.hero == nullptr || cast.jackalman == nullptr)
        return cast;
    world.AddEntity(cast.hero, WorldCoords(kDuelSpellRegion, Coords()), false);
    world.AddEntity(cast.jackalman,
                    WorldCoords(kDuelSpellRegion, Coords::FromTranslation(kJackalmanPlace)), false);
    cast.hero->GetSkillManager().LoadSkills(kHeroArts, 25);
    cast.jackalman->GetSkillManager().LoadSkills(kJackalmanSpells, 25);
    for (const char* record : {kSwing, kBeam, kAura, kRetribution})
        if (cast.hero->GetSkillManager().FindSkillId(record) == 0) {
            err << "gamehost: sample skill record '" << record << "' does not make a skill\n";
            return cast;
        }
    for (const char* record : {kFireball, kLightning, kShield, kBones})
        if (cast.jackalman->GetSkillManager().FindSkillId(record) == 0) {
            err << "gamehost: sample skill record '" << record << "' does not make a skill\n";
            return cast;
        }
    for (Character* character :
         {static_cast<Character*>(cast.hero), static_cast<Character*>(cast.jackalman)}) {
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
        character->GetSkillManager().Update(0);
    }
    cast.made = true;
    return cast;
}

bool DuelSpellReport::PlayServer()
{
    Cast cast = Stage();
    if (!cast.made)
        return false;
    // The seeds the server draws for its messages come from the run's seed.
    gGameEngine->GetRandomGen().Seed(seed);
    for (Character* character :
         {static_cast<Character*>(cast.hero), static_cast<Character*>(cast.jackalman)}) {
        character->SetIsControllingCharacter(true);
        character->GetSkillManager().SetAsControllingManager();
        // The controlling machine decides what its skills can do before the first use.
        character->GetSkillManager().Update(0);
    }
    out << "  hero " << kHeroId << " at " << HostSamples::PointText(Vec3{}) << ", jackalman "
        << kJackalmanId << " at " << HostSamples::PointText(kJackalmanPlace) << '\n';
    steps.push_back(DuelSkillReport::TakeSent());
    DuelReport::Transcript transcript(out);
    gEngine->SetLogCategories(gLogCombat);
    const int32_t framesPerSecond = 1000 / kFrameMs;
    for (int32_t second = 0; second < kSeconds; ++second) {
        for (int32_t frame = 0; frame < framesPerSecond; ++frame) {
            elapsedMs += kFrameMs;
            out << "  frame " << elapsedMs << " ms:\n";
            if (frame == 0)
                Act(cast, second);
            // What the uses sent reaches the client before its frame; what the frame sent, after.
            Packets acted = DuelSkillReport::TakeSent();
            const auto actedCount = static_cast<std::ptrdiff_t>(acted.size());
            Frame(cast, true);
            Packets packets = DuelSkillReport::TakeSent();
            packets.insert(packets.begin(), acted.begin(), acted.end());
            ShowPackets(packets);
            Track(packets);
            ShowPetDeaths();
            steps.push_back(std::move(acted));
            steps.emplace_back(packets.begin() + actedCount, packets.end());
        }
        out << "  after " << elapsedMs << " ms: " << LivesText(cast) << '\n';
    }
    gEngine->SetLogCategories(0);
    serverLives = LivesText(cast);
    return true;
}

bool DuelSpellReport::ReplayClient()
{
    Cast cast = Stage();
    if (!cast.made)
        return false;
    const auto receive = [&](const Packets& step) {
        for (const std::vector<uint8_t>& bytes : step) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            replayed += packet != nullptr && NetworkShim::ReceivePacket(0, *packet) ? 1 : 0;
        }
        Track(step);
    };
    // The first step holds what the server sent before its first frame; then each frame has
    // what its uses sent and what the frame itself sent.
    receive(steps.front());
    for (size_t i = 1; i + 1 < steps.size(); i += 2) {
        receive(steps[i]);
        Frame(cast, false);
        receive(steps[i + 1]);
    }
    DuelSkillReport::TakeSent();
    clientLives = LivesText(cast);
    out << "  client ran " << replayed << " of them\n";
    return true;
}

// The scripted uses of one second; what they decide goes out in the frame's packets.
void DuelSpellReport::Act(Cast& cast, int32_t second)
{
    const Vec3 heroPlace = cast.hero->GetCoords().GetRegionCoords().origin;
    const Vec3 jackalmanPlace = cast.jackalman->GetCoords().GetRegionCoords().origin;
    const auto onHero = [&](const char* record, uint32_t salt) {
        Use(*cast.jackalman, record, kHeroId, heroPlace,
            HostSamples::StepSeed(seed ^ salt, second));
    };
    const auto onJackalman = [&](const char* record, uint32_t salt) {
        Use(*cast.hero, record, kJackalmanId, jackalmanPlace,
            HostSamples::StepSeed(seed ^ salt, second));
    };
    switch (second) {
    case 0:
        onHero(kShield, 1);
        onJackalman(kAura, 2);
        onJackalman(kRetribution, 3);
        break;
    case 1:
        onHero(kFireball, 4);
        onJackalman(kSwing, 5);
        break;
    case 2:
        onHero(kLightning, 6);
        onJackalman(kBeam, 7);
        break;
    case 3:
    case 4:
        onHero(kBones, 8);
        break;
    default:
        onHero(kFireball, 9);
        onJackalman(kSwing, 10);
        break;
    }
}

// What the game logs when a skill's animation does not start.
constexpr std::string_view kNoAnimation = "Animation failed to start in SkillManager::StartSkill";

// Start, hit and end, as the user's animation would run them.
void DuelSpellReport::Use(Character& user, const char* record, uint32_t targetId, const Vec3& point,
                          uint32_t useSeed)
{
    SkillManager& skills = user.GetSkillManager();
    const uint32_t reference = skills.GetSkillReferenceNumber(skills.FindSkillId(record));
    const WorldVec3 target(kDuelSpellRegion, point);
    out << "    " << user.GetObjectId() << " uses " << ShortName(record) << " on " << targetId
        << '\n';
    // The sample characters carry no cast animations: the callbacks then run without one, and
    // the report's own line says so in place of the game's log line of the failed start.
    std::vector<std::pair<int, std::string>> logged;
    const Engine::LogSink previous = gEngine->SetLogSink(
        [&logged](int level, const std::string& line) { logged.emplace_back(level, line); });
    const bool started = skills.StartSkill(reference, targetId, target, useSeed);
    // The failed start is a counted line: its count is told now, to be replaced with the rest.
    gEngine->TellCounts();
    gEngine->SetLogSink(previous);
    for (const auto& [level, line] : logged) {
        if (previous && (started || !line.starts_with(kNoAnimation)))
            previous(level, line);
    }
    if (!started) {
        out << "    (no animation: its callbacks run alone)\n";
        // A failed start leaves the last use's hit count, and only a first hit pays.
        if (SkillServicesBase* services = skills.GetSkillServices())
            services->ClearHitIteration();
    }
    skills.HandleSkillAnimationCallback(Name::Create("Hit"), reference, targetId, target);
    skills.HandleSkillAnimationCallback(Name::Create("End"), reference, targetId, target);
}

void DuelSpellReport::Frame(Cast& cast, bool controlling)
{
    for (Character* character :
         {static_cast<Character*>(cast.hero), static_cast<Character*>(cast.jackalman)}) {
        character->GetSkillManager().Update(kFrameMs);
        character->GetCombatManager().Update(kFrameMs, character->GetCharacterBio());
        // Costs are queued on the bio; its frame applies them.
        character->GetCharacterBio().Update(*character, kFrameMs);
    }
    // The bolt comes down over its frames; the strike waits for it.
    SkillManager& spells = cast.jackalman->GetSkillManager();
    if (const auto* strike = dynamic_cast<const Skill_AttackRadiusLightning*>(
            spells.GetSkill(spells.FindSkillId(kLightning))))
        if (auto* bolt = ObjectManager::Instance().GetObject<Lightning>(strike->GetLightningId()))
            bolt->UpdateSelf(kFrameMs);
    Fly(controlling);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

// Each projectile flies a frame. One still up a second after its launch has found no way to its
// target and lands there: on the controlling machine it reports the hit to its skill, which sends
// the result; every machine then takes it down.
void DuelSpellReport::Fly(bool controlling)
{
    ObjectManager& objects = ObjectManager::Instance();
    for (auto at = flying.begin(); at != flying.end();) {
        auto* projectile = objects.GetObject<ProjectileBase>(at->first);
        if (projectile == nullptr) {
            at = flying.erase(at);
            continue;
        }
        projectile->UpdateSelf(kFrameMs);
        at->second += kFrameMs;
        if (controlling)
            out << "    projectile " << at->first << " at "
                << HostSamples::PointText(projectile->GetCoords().GetRegionCoords().origin) << '\n';
        if (objects.GetObject<ProjectileBase>(at->first) != projectile || at->second < kLandMs) {
            ++at;
            continue;
        }
        const ProjectileInfo info = projectile->GetInfo();
        auto* skill = objects.GetObject<Skill>(info.skillId);
        if (controlling && skill != nullptr && info.targetId != 0)
            skill->TargetInformation(info, projectile->GetCoords(), {info.targetId});
        projectile->DeleteProjectile();
        at = flying.erase(at);
    }
}

void DuelSpellReport::Track(const Packets& packets)
{
    for (const std::vector<uint8_t>& bytes : packets) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        if (const auto* launch = dynamic_cast<const CreateProjectileConfigCmdPacket*>(packet.get()))
            flying.emplace(launch->projectileId, 0);
    }
}

void DuelSpellReport::ShowPackets(const Packets& packets)
{
    for (const std::vector<uint8_t>& bytes : packets) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        if (const auto* state =
                dynamic_cast<const SkillActiveStateUpdateConfigCmdPacket*>(packet.get()))
            out << "    switch: " << SkillName(state->actorId.GetId(), state->skillNumber)
                << (state->state.active ? " on" : " off") << '\n';
        else if (const auto* result =
                     dynamic_cast<const SkillTargetResultConfigCmdPacket*>(packet.get()))
            out << "    targets: " << SkillName(result->actorId.GetId(), result->skillNumber) << ' '
                << IdsText(result->targets) << '\n';
        else if (const auto* launch =
                     dynamic_cast<const CreateProjectileConfigCmdPacket*>(packet.get()))
            out << "    launch: " << SkillName(launch->actorId.GetId(), launch->skillNumber)
                << " projectile " << launch->projectileId << '\n';
        else if (const auto* spawn =
                     dynamic_cast<const SpawnObjectConfigCmdPacket*>(packet.get())) {
            out << "    spawn: " << SkillName(spawn->actorId.GetId(), spawn->skillNumber) << ' '
                << IdsText(spawn->spawnIds) << '\n';
            for (uint32_t id : spawn->spawnIds)
                pets.emplace(id, true);
        }
    }
}

void DuelSpellReport::ShowPetDeaths()
{
    for (auto& [id, standing] : pets) {
        const auto* pet = ObjectManager::Instance().GetObject<Monster>(id);
        const bool alive = pet != nullptr && pet->IsAlive();
        if (standing && !alive)
            out << "    pet " << id << " dies\n";
        standing = alive;
    }
}

std::string DuelSpellReport::LivesText(Cast& cast)
{
    std::ostringstream text;
    text << "hero " << HostSamples::OneDecimal(cast.hero->GetCurrentLife()) << " life, "
         << HostSamples::OneDecimal(cast.hero->GetCurrentMana()) << " mana; jackalman "
         << HostSamples::OneDecimal(cast.jackalman->GetCurrentLife()) << " life, "
         << HostSamples::OneDecimal(cast.jackalman->GetCurrentMana()) << " mana";
    return text.str();
}

} // namespace GAME
