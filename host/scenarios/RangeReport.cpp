#include "host/scenarios/RangeReport.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "skills/Skill.h"
#include "world/Decoration.h"
#include "world/ProjectileBase.h"
#include "world/ProjectileTelekinesis.h"
#include "world/Puppet.h"
#include "world/RadiusMagic.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace GAME {

// Stands in for the launching skills: writes down each target a projectile reports.
class RangeTally : public Skill {
    GAME_DECLARE_CLASS(RangeTally)

public:
    void TargetInformation(const ProjectileInfo&, const WorldCoords&,
                           const std::vector<uint32_t>& targets) override
    {
        for (uint32_t target : targets)
            lines->push_back("hit " + label + " -> " + std::to_string(target));
    }
    std::string label;
    std::vector<std::string>* lines = nullptr;
};

GAME_IMPLEMENT_CLASS(RangeTally, Skill);

namespace {

constexpr uint32_t kRangeRegion = 1;
constexpr int32_t kLastLaunchFrame = 150;
constexpr int32_t kTrailingFrames = 90;
constexpr const char* kArrow = "Records/Projectiles/Range/Arrow.dbr";
constexpr const char* kFireball = "Records/Projectiles/Range/Fireball.dbr";
constexpr const char* kGlide = "Records/Projectiles/Range/Glide.dbr";
constexpr const char* kLob = "Records/Projectiles/Range/Lob.dbr";
constexpr const char* kShard = "Records/Projectiles/Range/Shard.dbr";
constexpr const char* kGrenade = "Records/Projectiles/Range/Grenade.dbr";
constexpr const char* kCloud = "Records/Projectiles/Range/Cloud.dbr";
constexpr const char* kStone = "Records/Projectiles/Range/Stone.dbr";
constexpr const char* kTree = "Records/Level/Range/Tree.dbr";
constexpr const char* kRing = "Records/Level/Range/Ring.dbr";
constexpr const char* kPuppet = "Records/Level/Range/Puppet.dbr";

// When each shot leaves, at what, with what explosion and fragments.
struct Shot {
    int32_t frame;
    const char* record;
    const char* target;
    float x, y, z;
    float explosion;
    const char* fragments;
};
const Shot kShots[] = {
    {20, kFireball, "Raider1", 0, 0, 6, 3.0f, nullptr},
    {40, kGlide, "", 10, 0, 0, 0.0f, nullptr},
    {60, kLob, "", 6, 0, 6, 2.0f, kShard},
    {90, kGrenade, "", -6, 0, 6, 3.0f, nullptr},
    {110, kCloud, "Raider2", 0.3f, 0, 10, 3.0f, nullptr},
    {130, kStone, "", 3, 0, 3, 0.0f, nullptr},
};

WorldCoords RangePlace(float x, float y, float z)
{
    return WorldCoords(WorldVec3(kRangeRegion, Vec3(x, y, z)));
}

std::string Point(const Vec3& p)
{
    return HostSamples::TwoDecimals(p.x) + ',' + HostSamples::TwoDecimals(p.y) + ',' +
           HostSamples::TwoDecimals(p.z);
}

Character* Stand(const Vec3& position, const Team& team)
{
    auto* character = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    character->SetTeam(team);
    gEngine->GetWorld()->AddEntity(character, RangePlace(position.x, position.y, position.z), true);
    character->InitialUpdate();
    return character;
}

template <class Kind> Kind* PlaceAt(const char* record, const WorldCoords& at)
{
    auto* object = ObjectManager::Instance().CreateObjectFromFile<Kind>(record);
    if (object != nullptr) {
        gEngine->GetWorld()->AddEntity(object, at, true);
        object->InitialUpdate();
    }
    return object;
}

} // namespace

RangeReport::RangeReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

int RangeReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); }) ? 0 : 2;
}

bool RangeReport::Play()
{
    Platform::SRand(options.seed);
    GameEngine::Get().GetRandomGen().Seed(options.seed);
    GameEngine::Get().SetGameLoading(false);
    std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(kRangeRegion, {0, 0, 0},
                                      ABBox({-30, -10, -30}, {30, 10, 30}));
    out << "scenario range, seed " << options.seed << ", " << options.frameMilliseconds
        << " ms frames:\n";
    hero = Stand({0, 0, 0}, TeamManager::DefaultPlayerTeam());
    raiders["Raider1"] = Stand({0, 0, 6}, TeamManager::DefaultMonsterTeam());
    raiders["Raider2"] = Stand({0.3f, 0, 10}, TeamManager::DefaultMonsterTeam());
    for (const float x : {-8.0f, 8.0f})
        if (auto* tree = PlaceAt<Decoration>(kTree, RangePlace(x, 0, -8)))
            trees.push_back(tree->GetObjectId());
    auto* puppet = PlaceAt<Puppet>(kPuppet, RangePlace(-4, 0, -4));
    bool played = puppet != nullptr && !trees.empty();
    if (!played)
        err << "gamehost: the range's sample scenery cannot be made\n";
    puppetId = played ? puppet->GetObjectId() : 0;
    const int32_t frames = std::max(kLastLaunchFrame + kTrailingFrames, options.frames);
    for (int32_t frame = 0; played && frame <= frames && HostInterrupt::Caught() == 0; ++frame) {
        Launch(frame);
        gEngine->RunFrame(options.frameMilliseconds);
        GameEngine::Get().Update(options.frameMilliseconds);
        PrintFrame(frame);
    }
    HostSamples::ClearWorld(*gEngine->GetWorld());
    gEngine->SetWorld(std::move(previous));
    return played;
}

ProjectileBase* RangeReport::Shoot(const char* record, const std::string& targetName, float x,
                                   float y, float z, float explosion, const char* fragments)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* projectile = objects.CreateObjectFromFile<ProjectileBase>(record);
    if (projectile == nullptr)
        return nullptr;
    const std::string label = projectile->GetClassInfo()->GetName() + std::string(" ") +
                              std::to_string(projectile->GetObjectId());
    auto* tally = static_cast<RangeTally*>(objects.CreateObject("RangeTally"));
    tally->label = label;
    tally->lines = &hits;
    ProjectileInfo info;
    info.skillId = tally->GetObjectId();
    info.ownerId = hero->GetObjectId();
    info.launchCoords = RangePlace(0, 1, 0);
    info.launchCoords.LookAt(info.launchCoords.GetPosition(),
                             WorldVec3(kRangeRegion, Vec3(x, 1, z)), Vec3(0, 1, 0));
    const auto target = raiders.find(targetName);
    info.targetId = target != raiders.end() ? target->second->GetObjectId() : 0;
    info.targetPoint = WorldVec3(kRangeRegion, Vec3(x, y, z));
    info.team = hero->GetTeam();
    info.duration = 3;
    projectile->LoadInfo(info, options.seed + projectile->GetObjectId());
    ProjectileBase::ProjectileModifierStruct modifier;
    modifier.ownerSkillId = info.skillId;
    modifier.explosionRadius = explosion;
    if (fragments != nullptr) {
        modifier.fragmentsName = fragments;
        modifier.fragmentsMin = modifier.fragmentsMax = 3;
    }
    projectile->AddProjectileModifier(modifier);
    flying.push_back({projectile->GetObjectId(), label});
    return projectile;
}

void RangeReport::Launch(int32_t frame)
{
    ProjectileBase* launched = nullptr;
    switch (frame) {
    case 0:
        launched = Shoot(kArrow, "", 0.3f, -1, 20);
        if (launched != nullptr)
            launched->LoadInfo(
                [&] {
                    ProjectileInfo info = launched->GetInfo();
                    info.piercingChance = 100.0f;
                    return info;
                }(),
                options.seed);
        break;
    default:
        for (const Shot& shot : kShots)
            if (shot.frame == frame)
                launched = Shoot(shot.record, shot.target, shot.x, shot.y, shot.z, shot.explosion,
                                 shot.fragments);
        break;
    }
    if (auto* stone = DynamicCast<ProjectileTelekinesis>(launched)) {
        ProjectileInfo info = stone->GetInfo();
        info.launchCoords = RangePlace(3, 5, 3);
        stone->LoadInfo(info, options.seed);
        stone->ProjectileFall();
    } else if (launched != nullptr) {
        launched->ProjectileGo();
    }
    if (frame == 5)
        if (auto* puppet = ObjectManager::Instance().GetObject<Puppet>(puppetId))
            puppet->StartAnimating();
    if (frame == 10)
        if (auto* ring = PlaceAt<RadiusMagic>(kRing, RangePlace(0, 1, -6)))
            ring->SetEffect(5.0f, 100.0f);
    if (frame == kLastLaunchFrame)
        if (auto* puppet = ObjectManager::Instance().GetObject<Puppet>(puppetId))
            puppet->ReleaseToWorld();
}

std::string RangeReport::Label(uint32_t id) const
{
    for (const Tracked& tracked : flying)
        if (tracked.id == id)
            return tracked.label;
    return {};
}

void RangeReport::PrintFrame(int32_t frame)
{
    PrintProjectiles(frame);
    PrintScenery(frame);
}

void RangeReport::PrintProjectiles(int32_t frame)
{
    const std::string prefix = "frame " + std::to_string(frame) + ": ";
    for (const std::string& hit : hits)
        out << prefix << hit << '\n';
    hits.clear();
    const auto& contacts = gEngine->GetPhysicsEngine().GetContacts();
    const size_t total = static_cast<size_t>(contacts.GetTotalCount());
    const size_t fresh = std::min(total - contactsSeen, contacts.GetSize());
    for (size_t i = contacts.GetSize() - fresh; i < contacts.GetSize(); ++i) {
        const std::string label = Label(contacts[i].objectId);
        if (!label.empty())
            out << prefix << "collision " << label << " kind " << contacts[i].surface << '\n';
    }
    contactsSeen = total;

    ObjectManager& objects = ObjectManager::Instance();
    std::string lastGone;
    std::vector<Tracked> still;
    for (const Tracked& tracked : flying) {
        const auto* projectile = objects.GetObject<ProjectileBase>(tracked.id);
        if (projectile == nullptr || projectile->IsDeleted()) {
            out << prefix << "deleted " << tracked.label << '\n';
            lastGone = tracked.label;
            continue;
        }
        out << prefix << tracked.label << " at "
            << Point(projectile->GetCoords().GetRegionCoords().origin) << '\n';
        still.push_back(tracked);
    }
    // Whatever flies now that nobody launched broke off the projectile that just went.
    std::vector<Entity*> all;
    gEngine->GetWorld()->GetEntitiesInSphere(all, gEngine->GetWorld()->GetRegionById(kRangeRegion),
                                             {}, 100.0f, ProjectileBase::classInfo);
    int32_t newcomers = 0;
    for (Entity* entity : all) {
        const uint32_t id = entity->GetObjectId();
        if (!Label(id).empty() || static_cast<ProjectileBase*>(entity)->IsDeleted())
            continue;
        still.push_back(
            {id, entity->GetClassInfo()->GetName() + std::string(" ") + std::to_string(id)});
        ++newcomers;
    }
    if (newcomers > 0)
        out << prefix << "fragments " << lastGone << ' ' << newcomers << '\n';
    flying = std::move(still);
}

void RangeReport::PrintScenery(int32_t frame)
{
    const std::string prefix = "frame " + std::to_string(frame) + ": ";
    ObjectManager& objects = ObjectManager::Instance();
    const auto* puppet = objects.GetObject<Puppet>(puppetId);
    const uint32_t state = puppet != nullptr ? puppet->GetState() : 0;
    if (state != lastPuppetState)
        out << prefix << "puppet state " << lastPuppetState << " -> " << state << '\n';
    lastPuppetState = state;
    for (size_t i = 0; i < trees.size(); ++i) {
        const auto* tree = objects.GetObject<Decoration>(trees[i]);
        const GraphicsAnim* animation = tree != nullptr ? tree->GetCurrentAnimation() : nullptr;
        const std::string name = animation != nullptr ? animation->GetName() : "nothing";
        if (treeAnimations[trees[i]] != name)
            out << prefix << "decoration Tree" << i + 1 << " plays " << name << '\n';
        treeAnimations[trees[i]] = name;
    }
}

} // namespace GAME
