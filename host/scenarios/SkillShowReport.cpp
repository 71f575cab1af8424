#include "host/scenarios/SkillShowReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/LineEffect.h"
#include "engine/LoadTable.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "skills/SkillActivated.h"
#include "skills/SkillManager.h"
#include "skills/SkillOnDeath.h"
#include "skills/SkillSecondary.h"
#include "skills/Skill_AttackTelekinesis.h"
#include "world/Lightning.h"
#include "world/ProjectileTelekinesis.h"

#include <ostream>
#include <sstream>
#include <type_traits>

namespace GAME {

namespace {

constexpr uint32_t kShowRegion = 1;
constexpr int32_t kShowFrameMs = 100;
constexpr int kFrames = 12;
constexpr uint32_t kFirstFoeId = 0x20000001;
constexpr uint32_t kFirstAllyId = 0x20000101;
constexpr uint32_t kPropId = 0x20000201;
constexpr uint32_t kReplayHost = 3;

enum Kind : int32_t {
    Kind_Frames,
    Kind_OnDeath,
    Kind_AtFoe,
    Kind_Start,
    Kind_Lift,
    Kind_Spark,
    Kind_Primary,
    Kind_AtAlly,
    Kind_SparkAlly
};

const SkillShowReport::Scene kScenes[] = {
    {"generator", "Records/Skills/Show/Generator.dbr", Kind_Frames},
    {"ondeath", "Records/Skills/Show/OnDeath.dbr", Kind_OnDeath},
    {"refresh", "Records/Skills/Show/Refresh.dbr", Kind_AtFoe},
    {"attackanim", "Records/Skills/Show/AttackAnim.dbr", Kind_Start},
    {"telekinesis", "Records/Skills/Show/Telekinesis.dbr", Kind_Lift},
    {"dispel", "Records/Skills/Show/Dispel.dbr", Kind_AtFoe},
    {"faux", "Records/Skills/Show/Faux.dbr", Kind_AtFoe},
    {"spiritburst", "Records/Skills/Show/SpiritBurst.dbr", Kind_AtFoe},
    {"walls", "Records/Skills/Show/Walls.dbr", Kind_AtFoe},
    {"ground", "Records/Skills/Show/Ground.dbr", Kind_AtFoe},
    {"givebonus", "Records/Skills/Show/GiveBonus.dbr", Kind_AtAlly},
    {"lightofra", "Records/Skills/Show/LightOfRa.dbr", Kind_AtFoe},
    {"mirage", "Records/Skills/Show/Mirage.dbr", Kind_AtFoe},
    {"chainlaser", "Records/Skills/Show/ChainLaser.dbr", Kind_AtFoe},
    {"chainlightning", "Records/Skills/Show/ChainLightning.dbr", Kind_Spark},
    {"chainbonus", "Records/Skills/Show/ChainBonus.dbr", Kind_SparkAlly},
    {"fork", "Records/Skills/Show/Fork.dbr", Kind_Spark},
    {"bonus", "Records/Skills/Show/Bonus.dbr", Kind_SparkAlly},
    {"buffradius", "Records/Skills/Show/BuffRadius.dbr", Kind_Primary},
    {"petmodifier", "Records/Skills/Show/PetModifier.dbr", Kind_SparkAlly},
    {"petspawn", "Records/Skills/Show/PetSpawn.dbr", Kind_Primary},
    {"teleport", "Records/Skills/Show/Teleport.dbr", Kind_AtFoe},
    {"transfer", "Records/Skills/Show/Transfer.dbr", Kind_AtFoe},
};

class AnyEntity final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

WorldCoords ShowPlace(float x, float z)
{
    return WorldCoords(kShowRegion, Coords::FromTranslation(Vec3(x, 0.0f, z)));
}

std::string Where(const Entity& entity)
{
    return HostSamples::PointText(entity.GetCoords().GetRegionCoords().origin);
}

Character* Caster()
{
    return ObjectManager::Instance().GetObject<Character>(SkillShowReport::kCasterId);
}

Skill* SceneSkill(const SkillShowReport::Scene& scene)
{
    Character* caster = Caster();
    if (caster == nullptr)
        return nullptr;
    SkillManager& skills = caster->GetSkillManager();
    return skills.GetSkill(skills.FindSkillId(scene.record));
}

template <class Kind> Kind* Put(const char* record, uint32_t id, float x, float z)
{
    auto* made = ObjectManager::Instance().CreateObjectFromFile<Kind>(record, id);
    if (made == nullptr)
        return nullptr;
    gEngine->GetWorld()->AddEntity(made, ShowPlace(x, z), false);
    if constexpr (std::is_base_of_v<Character, Kind>) {
        made->InitialUpdate();
        made->GetCharacterBio().Update(*made, 0);
    }
    return made;
}

// The same creatures under the same ids on both machines, as a level would place them.
bool StageShow(const SkillShowReport::Scene& scene, std::ostream& err)
{
    auto* caster =
        HostSamples::Make<Player>(SkillShowReport::kCaster, err, SkillShowReport::kCasterId);
    if (caster == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(caster, ShowPlace(0.0f, 0.0f), false);
    caster->SetTeam(TeamManager::BuildTeam(2, 1));
    caster->InitialUpdate();
    // A secondary rides on the skill listed before it.
    const bool rides =
        scene.kind == Kind_Spark || scene.kind == Kind_SparkAlly || scene.kind == Kind_Primary;
    std::string text = rides ? "skillName1 = Records/Skills/Show/Faux.dbr\nskillLevel1 = 1\n" : "";
    text += std::string("skillName2 = ") + scene.record + "\nskillLevel2 = 1\n";
    LoadTable tree;
    tree.Parse(text, "show.dbr");
    caster->GetSkillManager().LoadSkills(tree, 2);
    if (!gEngine->IsNetworkClient()) {
        caster->SetIsControllingCharacter(true);
        caster->GetSkillManager().SetAsControllingManager();
    }
    const float foes[][2] = {{0.0f, 3.0f}, {2.0f, 5.0f}, {-2.0f, 6.0f}, {4.0f, 7.0f}};
    for (uint32_t i = 0; i < 4; ++i)
        Put<Monster>("Records/Creatures/Show/Foe.dbr", kFirstFoeId + i, foes[i][0], foes[i][1]);
    Put<Monster>("Records/Creatures/Show/Ally.dbr", kFirstAllyId, -3.0f, 0.0f);
    Put<Monster>("Records/Creatures/Show/Ally.dbr", kFirstAllyId + 1, -3.0f, 3.0f);
    const std::string name = scene.name;
    if (name == "telekinesis")
        Put<ProjectileTelekinesis>("Records/Creatures/Show/Rock.dbr", kPropId, 3.0f, 0.0f);
    else if (name == "lightofra") {
        Put<Actor>("Records/Creatures/Show/Marker.dbr", kPropId, 5.0f, 5.0f);
        Put<Actor>("Records/Creatures/Show/Marker.dbr", kPropId + 1, -6.0f, 4.0f);
    } else if (name == "chainlaser")
        Put<Monster>("Records/Creatures/Show/Giant.dbr", kPropId, 0.0f, 9.0f);
    else if (name == "spiritburst")
        Put<Monster>("Records/Creatures/Show/Host.dbr", kPropId, 6.0f, 0.0f);
    caster->GetCharacterBio().Update(*caster, 0);
    // The first update makes the learnt skills usable.
    caster->GetSkillManager().Update(0);
    return true;
}

void Use(const SkillShowReport::Scene& scene)
{
    Character* caster = Caster();
    Skill* skill = SceneSkill(scene);
    if (caster == nullptr || skill == nullptr)
        return;
    const uint32_t foe = kFirstFoeId;
    const uint32_t ally = kFirstAllyId;
    const auto* target = ObjectManager::Instance().GetObject<Character>(
        scene.kind == Kind_AtAlly || scene.kind == Kind_SparkAlly ? ally : foe);
    const WorldVec3 point = target != nullptr ? target->GetCoords().GetPosition() : WorldVec3();
    const uint32_t targetId = target != nullptr ? target->GetObjectId() : 0;
    auto* activated = dynamic_cast<SkillActivated*>(skill);
    auto* secondary = dynamic_cast<SkillSecondary*>(skill);
    switch (scene.kind) {
    case Kind_OnDeath:
        if (auto* onDeath = dynamic_cast<SkillOnDeath*>(skill))
            onDeath->ActivateOnDeathNow(*caster);
        break;
    case Kind_AtFoe:
    case Kind_AtAlly:
        if (activated != nullptr)
            activated->ActivateNow(*caster, Name(), targetId, point);
        break;
    case Kind_Start:
        if (activated != nullptr)
            activated->StartAction(*caster, targetId, point, 1);
        break;
    case Kind_Lift:
        if (activated != nullptr)
            activated->SwipeAction(*caster, Name(), targetId, point);
        break;
    case Kind_Spark:
    case Kind_SparkAlly:
        if (secondary != nullptr)
            secondary->ActivateNow(*caster, 0, {targetId}, point);
        break;
    case Kind_Primary:
        if (secondary != nullptr)
            secondary->PrimaryActivateNow(*caster, 0, {}, caster->GetCoords().GetPosition());
        break;
    default:
        break;
    }
}

} // namespace

SkillShowReport::SkillShowReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool SkillShowReport::Run()
{
    networked = options.role == "server";
    out << "scenario skillshow as " << (networked ? "server" : "single player") << ", seed "
        << options.seed << ":\n";
    if (!networked)
        return HostSamples::WithLibrary(err, [this] { return Play(false); });
    if (!HostSamples::InNetworkWorld(false, err, [this] { return Play(true); }))
        return false;
    // The client makes ids of its own, as a joined machine does, so that none it makes for itself
    // (a wall's sounds, say) takes one the server's packets name next; the cast's fixed ids are
    // of hosts 1 and 2.
    ObjectManager::Instance().SetHostIndex(kReplayHost);
    const bool replayed = HostSamples::InNetworkWorld(true, err, [this] { return Replay(); });
    ObjectManager::Instance().SetHostIndex(0);
    if (!replayed)
        return false;
    out << "client agrees: " << (serverState == clientState ? "yes" : "no") << '\n';
    if (serverState == clientState)
        return true;
    std::istringstream server(serverState);
    std::istringstream client(clientState);
    std::string mine;
    std::string theirs;
    std::string scene;
    while (std::getline(server, mine) && std::getline(client, theirs) && mine == theirs) {
        if (mine.starts_with("scene "))
            scene = mine;
    }
    out << "  first difference, " << scene << ": server '" << mine << "', client '" << theirs
        << "'\n";
    return true;
}

bool SkillShowReport::Play(bool server)
{
    std::unique_ptr<World> previous;
    if (!server) {
        previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kShowRegion, {0, 0, 0},
                                          ABBox({-20, -10, -20}, {20, 10, 20}));
    }
    bool staged = true;
    for (size_t i = 0; i < std::size(kScenes) && staged; ++i) {
        GameEngine::Get().GetRandomGen().Seed(options.seed + static_cast<uint32_t>(i));
        out << "scene " << kScenes[i].name << " (" << kScenes[i].record << ")\n";
        staged = StageShow(kScenes[i], err);
        if (staged) {
            PlayScene(kScenes[i]);
            Record(i);
            serverState += std::string("scene ") + kScenes[i].name + '\n' + State();
        }
        HostSamples::ClearWorld(*gEngine->GetWorld());
        ObjectManager::Instance().DestroyAllObjects();
    }
    if (!server)
        gEngine->SetWorld(std::move(previous));
    return staged;
}

void SkillShowReport::PlayScene(const Scene& scene)
{
    seen.clear();
    out << Look(true);
    Use(scene);
    out << "  used:\n" << Look(false);
    Frames(kFrames / 2, true);
    if (scene.kind == Kind_Lift) {
        Frames(kFrames, true);
        Character* caster = Caster();
        if (auto* lift = dynamic_cast<SkillActivated*>(SceneSkill(scene)); lift && caster)
            lift->ActivateNow(*caster, Name(), kFirstFoeId,
                              WorldVec3(kShowRegion, Vec3(0.0f, 0.0f, 3.0f)));
        out << "  thrown:\n" << Look(false);
    }
    Frames(kFrames / 2, true);
}

void SkillShowReport::Frames(int count, bool shown)
{
    World& world = *gEngine->GetWorld();
    for (int frame = 0; frame < count; ++frame) {
        world.UpdateEntities(kShowFrameMs);
        // The characters' own clocks run with the game's frames; the caster's skills run here.
        if (Character* caster = Caster())
            caster->GetSkillManager().Update(kShowFrameMs);
        GameEngine::Get().Update(kShowFrameMs);
        ObjectManager::Instance().ProcessDestroyedObjects();
        const std::string changes = Look(false);
        if (shown && !changes.empty())
            out << "  frame " << ++frameNumber << ":\n" << changes;
    }
}

void SkillShowReport::Record(size_t scene)
{
    std::vector<ConnectionManager::SentPacket> packets =
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    if (!networked)
        return;
    sent.resize(std::size(kScenes));
    for (ConnectionManager::SentPacket& packet : packets)
        sent[scene].push_back(std::move(packet.bytes));
}

std::string SkillShowReport::Look(bool all)
{
    std::map<std::string, std::string> now;
    std::vector<Entity*> entities;
    gEngine->GetWorld()->GetEntities(entities, AnyEntity());
    size_t walls = 0;
    for (const Entity* entity : entities) {
        const std::string id = std::to_string(entity->GetObjectId());
        if (const auto* character = DynamicCast<Character>(entity)) {
            if (!character->IsAlive()) {
                now["dead " + id] = "at " + Where(*character);
                continue;
            }
            now["life " + id] =
                HostSamples::TwoDecimals(character->GetCurrentLife()) + " at " + Where(*character);
            walls += character->GetObjectName().ends_with("Wall.dbr") ? 1 : 0;
        } else if (const auto* bolt = DynamicCast<Lightning>(entity)) {
            now["bolt " + id] = HostSamples::PointText(bolt->GetSource().GetRegionPosition()) +
                                " -> " +
                                HostSamples::PointText(bolt->GetDestination().GetRegionPosition());
        } else if (const auto* beam = DynamicCast<LineEffect>(entity)) {
            now["beam " + id] = HostSamples::TwoDecimals(beam->GetTopPercent()) + " " +
                                HostSamples::TwoDecimals(beam->GetBottomPercent());
        } else {
            now["object " + id] = ShownName(entity->GetObjectName()) + " at " + Where(*entity);
        }
    }
    now["walls"] = std::to_string(walls);
    if (Character* caster = Caster()) {
        SkillManager& skills = caster->GetSkillManager();
        for (const Scene& scene : kScenes)
            if (auto* lift = dynamic_cast<Skill_AttackTelekinesis*>(
                    skills.GetSkill(skills.FindSkillId(scene.record))))
                now["telekinesis"] = "state " + std::to_string(lift->GetSequence());
    }
    std::ostringstream changes;
    for (const auto& [key, value] : now)
        if (all || seen[key] != value)
            changes << "    " << key << ' ' << value << '\n';
    for (const auto& [key, value] : seen)
        if (!now.contains(key) && !value.empty())
            changes << "    " << key << " gone\n";
    seen = std::move(now);
    return changes.str();
}

std::string SkillShowReport::State() const
{
    std::ostringstream text;
    for (const auto& [key, value] : seen)
        if (key.starts_with("life ") || key == "walls")
            text << key << ' ' << value << '\n';
    return text.str();
}

bool SkillShowReport::Replay()
{
    for (size_t i = 0; i < std::size(kScenes); ++i) {
        if (!StageShow(kScenes[i], err))
            return false;
        seen.clear();
        for (const std::vector<uint8_t>& bytes : sent[i])
            if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes))
                NetworkShim::ReceivePacket(0, *packet);
        Frames(kScenes[i].kind == Kind_Lift ? 2 * kFrames : kFrames, false);
        clientState += std::string("scene ") + kScenes[i].name + '\n' + State();
        HostSamples::ClearWorld(*gEngine->GetWorld());
        ObjectManager::Instance().DestroyAllObjects();
    }
    return true;
}

} // namespace GAME
