// How the level is played. The level file and its route are read and checked whole before the
// library starts, so a broken line costs one line on the error stream and nothing half-made.
// Then the quest file joins the world before the level loads, so its conditions see every
// entity arrive; the hero comes last, placed at the level's start, and "GameEvent_PreRun" opens
// the quest. Each frame hands the route's orders of that frame to the hero's mouse, runs the
// engine's and the game's frame and lets the watcher turn what changed into event lines. The
// watcher hears deaths and inventory additions as events and polls the rest (quest steps, the
// hero's level) once a frame, since those announce nothing.
#include "host/LevelPlay.h"

#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/Coords.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/FileSystem.h"
#include "engine/FilterFunction.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HeldDataLog.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/PlayerSaveFile.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "items/MarketClient.h"
#include "items/OneShot_Gold.h"
#include "items/PlayerHotSlotCtrl.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "skills/SkillManager.h"
#include "world/ProxyAmbush.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <ostream>
#include <set>
#include <thread>
#include <unistd.h>

namespace GAME {

namespace {

constexpr uint32_t kLevelRegion = 1;
constexpr uint32_t kHeroBarSlot = 0;
// The sample animations carry no events: the blows land where the swings do.
constexpr const char* kClawAnimation = "Creatures/Monster/Jackalman/Animations/Claw.anm";
constexpr const char* kHitEvent = "RightHandHit";
constexpr const char* kBendAnimation = "Creatures/PC/Male/Animations/Pickup.anm";
constexpr const char* kPickupEvent = "Pickup";
constexpr float kHitMs = 500.0f;
// Monsters this close to a kill count as its pack.
constexpr float kPackRadius = 10.0f;
// The level-placed monsters a cell of the packs' grid keeps to measure later ones against:
// more on a hundred square metres are a crowd, not a pack.
constexpr size_t kCellMembers = 16;

// A cell of kPackRadius square on the ground, by its column and row.
using Cell = std::pair<int64_t, int64_t>;

Cell CellOf(const Vec3& at)
{
    const auto index = [](float value) {
        const float cell = std::floor(value / kPackRadius);
        return std::isfinite(cell) ? static_cast<int64_t>(std::clamp(cell, -1e12f, 1e12f)) : 0;
    };
    return {index(at.x), index(at.z)};
}

// Every swing and attack turn the hero's animation table names, in each weapon style, so that
// he lands his blows whatever he holds.
std::vector<std::string> HeroAttackAnimations()
{
    Database& database = ObjectManager::Instance().GetDatabase();
    const LoadTable* hero = database.FindLoadTable(LevelPlay::kPlayer);
    const LoadTable* table = hero != nullptr
                                 ? database.FindLoadTable(hero->GetString("charAnimationTableName"))
                                 : nullptr;
    std::vector<std::string> found;
    if (table == nullptr)
        return found;
    for (const char* style : {"unarmed", "sHanded", "dHanded", "spear", "bow", "staff"}) {
        for (const char* row : {"AttackAnim1", "AttackAnim2", "AttackAnim3", "AttTurnRight90Anim",
                                "AttTurnLeft90Anim", "AttTurnRight180Anim", "AttTurnLeft180Anim"}) {
            const std::string name = table->GetString((std::string(style) + row).c_str());
            if (!name.empty() && std::find(found.begin(), found.end(), name) == found.end())
                found.push_back(name);
        }
    }
    return found;
}

std::string Stem(const std::string& record)
{
    const size_t slash = record.find_last_of("/\\");
    const std::string file = slash == std::string::npos ? record : record.substr(slash + 1);
    return file.substr(0, file.rfind('.'));
}

// A record's stem as a line shows it: the record is named by a file, and may hold anything.
std::string ShownStem(const std::string& record)
{
    return ShownName(Stem(record));
}

// "m:ss" of game time.
std::string GameClock(uint64_t milliseconds)
{
    const uint64_t seconds = milliseconds / 1000;
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
    return text;
}

template <typename Kind> class IsKind : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<Kind>(candidate) != nullptr;
    }
};

// The entity of `Kind` nearest `from` that `accept` takes, its region's place in the world
// counted; 0 for none.
template <typename Kind, typename Accept> uint32_t Nearest(const WorldVec3& from, Accept accept)
{
    const World* world = gEngine->GetWorld();
    std::vector<Entity*> found;
    world->GetEntities(found, IsKind<Kind>());
    uint32_t best = 0;
    float bestDistance = 0.0f;
    for (Entity* entity : found) {
        const auto* thing = DynamicCast<Kind>(entity);
        if (!accept(*thing))
            continue;
        const float distance = world->GetDistanceSquared(entity->GetCoords().GetPosition(), from);
        if (best == 0 || distance < bestDistance) {
            best = entity->GetObjectId();
            bestDistance = distance;
        }
    }
    return best;
}

// A monster worth a blow: alive, with life to lose and a mind of its own.
bool IsLivingMonster(const Monster& monster)
{
    return monster.IsAlive() && monster.GetCurrentLife() > 0.0f && monster.GetControllerId() != 0;
}

} // namespace

// Turns what happened into the event lines of the run and counts it into the tally.
class LevelPlay::Watcher {
public:
    Watcher(std::ostream& out, Tally& tally, const ScriptCast& roster, LevelMap& map)
        : out(out), tally(tally), roster(roster), map(map),
          death("GameEvent_CreatureDeath", &Watcher::OnDeath, this),
          itemAdd("GameEvent_ItemAdd", &Watcher::OnItemAdd, this)
    {}

    std::ostream& Line() { return out << '[' << GameClock(tally.gameMilliseconds) << "] "; }

    void Start(const Player& hero)
    {
        heroId = hero.GetObjectId();
        level = hero.GetCharLevel();
        GroupPacks();
        if (const Quest* quest = QuestRepository::Get().GetQuestByIndex(0))
            Line() << "quest taken: " << quest->GetStepCount() << " steps\n";
    }

    // What the hero gets while trading is bought, not looted.
    void SetTrading(bool value) { trading = value; }
    uint32_t GetLastItem() const { return lastItem; }

    void AfterFrame()
    {
        const Player* hero = roster.Hero();
        if (hero != nullptr && hero->GetCharLevel() > level) {
            level = hero->GetCharLevel();
            Line() << "level up: the hero is level " << level << '\n';
        }
        NoteQuest();
    }

private:
    void OnDeath(const GameEvent_CreatureDeath& event)
    {
        auto* victim = ObjectManager::Instance().GetObject<Character>(event.victimId);
        if (victim != nullptr)
            map.NoteDeath(Stem(victim->GetObjectName()), victim->GetCoords().GetPosition());
        if (event.victimId == heroId) {
            ++tally.deaths;
            Line() << "death: the hero falls\n";
            return;
        }
        const auto* monster = DynamicCast<Monster>(victim);
        if (monster == nullptr)
            return;
        ++tally.kills;
        const uint32_t pack = PackOf(*monster);
        const int32_t kills = ++packKills[pack];
        const std::string name = ShownStem(monster->GetObjectName());
        if (monster->GetClassification() == MonsterClassification_Boss) {
            tally.bossDefeated = true;
            Line() << "boss defeated: " << name << '\n';
        }
        if (IsPackCleared(pack, *monster))
            Line() << "pack cleared at "
                   << HostSamples::PointText(monster->GetCoords().GetRegionCoords().origin) << ": "
                   << kills << (kills == 1 ? " kill\n" : " kills\n");
    }

    // A pack is what one spawner made, or what the level placed together; it is named by the
    // first of its members met and keeps its name when its members roam apart. A monster the
    // level placed joins the pack of the nearest one met before it within kPackRadius (the
    // first met of those equally near). Such monsters are kept in a grid of cells kPackRadius
    // wide, so each measures itself against the nine cells around it only; a cell keeps the
    // first kCellMembers met, so that a crowd costs no more than a pack does.
    void GroupPacks()
    {
        const std::map<uint32_t, uint32_t> ambushPacks = AmbushPacks();
        std::map<Cell, std::vector<std::pair<size_t, const Monster*>>> grid;
        const std::vector<const Monster*> monsters = Monsters();
        const World& world = *gEngine->GetWorld();
        for (size_t order = 0; order < monsters.size(); ++order) {
            const Monster& monster = *monsters[order];
            // A spawner's monsters share one pack wherever they stand.
            if (!monster.GetProxyParent().empty()) {
                Join(monster, NewPack(monster, ambushPacks));
                continue;
            }
            // Regions are apart: monsters are measured in world space.
            Vec3 at;
            if (!world.GetPositionInWorld(monster.GetCoords().GetPosition(), at)) {
                Join(monster, NewPack(monster, ambushPacks));
                continue;
            }
            const Cell cell = CellOf(at);
            const Monster* mate = nullptr;
            std::pair<float, size_t> nearest;
            for (int64_t dx = -1; dx <= 1; ++dx) {
                for (int64_t dz = -1; dz <= 1; ++dz) {
                    const auto found = grid.find({cell.first + dx, cell.second + dz});
                    if (found == grid.end())
                        continue;
                    for (const auto& [met, other] : found->second) {
                        // Every monster in the grid has a place in the world.
                        Vec3 there;
                        world.GetPositionInWorld(other->GetCoords().GetPosition(), there);
                        const std::pair<float, size_t> here{(there - at).Length(), met};
                        if (here.first <= kPackRadius && (mate == nullptr || here < nearest)) {
                            mate = other;
                            nearest = here;
                        }
                    }
                }
            }
            Join(monster,
                 mate != nullptr ? packs.at(mate->GetObjectId()) : NewPack(monster, ambushPacks));
            auto& members = grid[cell];
            if (members.size() < kCellMembers)
                members.emplace_back(order, &monster);
        }
    }

    uint32_t PackOf(const Monster& monster)
    {
        const auto known = packs.find(monster.GetObjectId());
        if (known != packs.end())
            return known->second;
        const uint32_t pack = NewPack(monster, AmbushPacks());
        Join(monster, pack);
        return pack;
    }

    // The pack of a monster met for the first time: that of the last met of its spawner's
    // monsters still about, else its ambush's, else its own.
    uint32_t NewPack(const Monster& monster, const std::map<uint32_t, uint32_t>& ambushPacks) const
    {
        const std::string& spawner = monster.GetProxyParent();
        const auto made = spawned.find(spawner);
        if (!spawner.empty() && made != spawned.end()) {
            for (auto mate = made->second.rbegin(); mate != made->second.rend(); ++mate) {
                const auto* other = ObjectManager::Instance().GetObject<Monster>(mate->first);
                if (other != nullptr && other->GetProxyParent() == spawner)
                    return mate->second;
            }
        }
        const auto ambush = ambushPacks.find(monster.GetObjectId());
        return ambush != ambushPacks.end() ? ambush->second : monster.GetObjectId();
    }

    void Join(const Monster& monster, uint32_t pack)
    {
        packs[monster.GetObjectId()] = pack;
        if (!monster.GetProxyParent().empty())
            spawned[monster.GetProxyParent()][monster.GetObjectId()] = pack;
    }

    // An ambush's jackals come out one by one: the ambush names their pack.
    static std::map<uint32_t, uint32_t> AmbushPacks()
    {
        std::map<uint32_t, uint32_t> packOf;
        for (const ProxyAmbush* ambush : Ambushes()) {
            for (const uint32_t released : ambush->GetReleasedObjects())
                packOf[released] = ambush->GetObjectId();
        }
        return packOf;
    }

    bool IsPackCleared(uint32_t pack, const Monster& victim)
    {
        for (const ProxyAmbush* ambush : Ambushes()) {
            if (ambush->GetObjectId() == pack && !ambush->GetWaitingObjects().empty())
                return false;
        }
        const std::vector<const Monster*> monsters = Monsters();
        return std::none_of(monsters.begin(), monsters.end(), [&](const Monster* other) {
            return other != &victim && IsLivingMonster(*other) && PackOf(*other) == pack;
        });
    }

    template <typename Kind> static std::vector<const Kind*> InWorld()
    {
        std::vector<Entity*> found;
        gEngine->GetWorld()->GetEntities(found, IsKind<Kind>());
        std::vector<const Kind*> things;
        for (Entity* entity : found)
            things.push_back(static_cast<const Kind*>(entity));
        return things;
    }
    static std::vector<const Monster*> Monsters() { return InWorld<Monster>(); }
    static std::vector<const ProxyAmbush*> Ambushes() { return InWorld<ProxyAmbush>(); }

    void OnItemAdd(const GameEvent_ItemAdd& event)
    {
        if (event.ownerId != heroId)
            return;
        lastItem = event.itemId;
        if (trading)
            return;
        const auto* item = ObjectManager::Instance().GetObject<Item>(event.itemId);
        ++tally.looted;
        // Gold goes to the purse; anything else a monster dropped is worth a word of its own.
        const bool gold = DynamicCast<OneShot_Gold>(item) != nullptr;
        Line() << (gold ? "looted: " : "notable drop looted: ")
               << (item != nullptr ? ShownStem(item->GetObjectName()) : "an item") << '\n';
    }

    void NoteQuest()
    {
        const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
        if (quest == nullptr)
            return;
        for (int32_t i = stepsDone; i < quest->GetStepCount(); ++i) {
            if (!quest->GetQuestStepAtIndx(i)->IsComplete())
                break;
            Line() << "quest step " << i + 1 << " of " << quest->GetStepCount() << " done\n";
            stepsDone = i + 1;
        }
        if (quest->IsComplete() && !tally.questComplete) {
            tally.questComplete = true;
            Line() << "quest complete\n";
        }
    }

private:
    std::ostream& out;
    Tally& tally;
    const ScriptCast& roster;
    LevelMap& map;
    uint32_t heroId = 0;
    uint32_t level = 0;
    int32_t stepsDone = 0;
    // Each monster's pack and each pack's kills so far.
    std::map<uint32_t, uint32_t> packs;
    // Each spawner's monsters met, by id, with their packs.
    std::map<std::string, std::map<uint32_t, uint32_t>> spawned;
    std::map<uint32_t, int32_t> packKills;
    uint32_t lastItem = 0;
    bool trading = false;
    EventHandler<Watcher, GameEvent_CreatureDeath> death;
    EventHandler<Watcher, GameEvent_ItemAdd> itemAdd;
};

LevelPlay::LevelPlay(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err), levelPath(LevelPathOf(options))
{}

LevelPlay::~LevelPlay() = default;

std::string LevelPlay::RouteOf(const std::string& level)
{
    const size_t dot = level.rfind('.');
    const size_t slash = level.find_last_of("/\\");
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? level.substr(0, dot) : level) + ".route";
}

void LevelPlay::GiveLevelSkills(Player& hero, const std::string& record)
{
    Database& database = ObjectManager::Instance().GetDatabase();
    const LoadTable* levelHero = database.FindLoadTable(kPlayer);
    if (levelHero != nullptr && database.FindLoadTable(record) == levelHero)
        hero.GetSkillManager().LoadSkills(kBarSkillTree, 1);
}

std::vector<std::string> LevelPlay::EntityNames(const LevelFile& level)
{
    // Each record's own name is its first entity's; a later one takes the next number that no
    // record and no entity before it is called, so "Elder" twice beside "Elder2" gives "Elder3".
    std::set<std::string> taken;
    for (const LevelFile::EntityLine& entity : level.entities)
        taken.insert(Stem(entity.record));
    std::vector<std::string> names;
    std::set<std::string> given;
    // The number each record's next entity tries first.
    std::map<std::string, int32_t> next;
    for (const LevelFile::EntityLine& entity : level.entities) {
        const std::string stem = Stem(entity.record);
        const auto [number, first] = next.try_emplace(stem, 2);
        std::string name = stem;
        while (!first && (taken.count(name) != 0 || given.count(name) != 0))
            name = stem + std::to_string(number->second++);
        given.insert(name);
        names.push_back(name);
    }
    return names;
}

int LevelPlay::Run()
{
    std::vector<ScriptOrder> orders;
    // Each step up to the first frame heeds a signal: a level at the limit takes long to read.
    if (!Read(orders) || HostInterrupt::Caught() != 0)
        return 2;
    return HostSamples::AsSinglePlayer(err, [&] { return Play(orders); }) ? 0 : 2;
}

namespace {
bool IsOnDisk(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error);
}

} // namespace

std::string LevelPlay::LevelPathOf(const HostOptions& options)
{
    return options.levelFile.empty() ? kLevel : options.levelFile;
}

bool LevelPlay::IsLevelOnDisk(const HostOptions& options)
{
    return IsOnDisk(options.levelFile);
}

bool LevelPlay::ReadLevel(const HostOptions& options, LevelFile& level, std::ostream& err)
{
    const std::string path = LevelPathOf(options);
    std::string text;
    std::string error;
    if (IsLevelOnDisk(options)) {
        const size_t limit = Database::kMaxRecordBytes;
        const FileSystem::ReadResult read = FileSystem::ReadWholeFile(path, limit, text);
        if (read != FileSystem::ReadResult::Done) {
            err << "gamehost: the level file " << ShownName(path) << ' '
                << FileSystem::Explain(read, limit) << '\n';
            return false;
        }
    } else if (!ObjectManager::Instance().GetDatabase().ReadFile(path, text)) {
        err << "gamehost: the level file " << ShownName(path) << " cannot be read\n";
        return false;
    }
    if (!LevelFile::Parse(text, path, level, error)) {
        err << "gamehost: " << ShownName(error) << '\n';
        return false;
    }
    const auto isStart = [](const LevelFile::RegionLine& region) {
        return region.id == kLevelRegion;
    };
    if (std::none_of(level.regions.begin(), level.regions.end(), isStart)) {
        err << "gamehost: " << ShownName(path) << ": the level names no region " << kLevelRegion
            << ", where the hero starts\n";
        return false;
    }
    // A route could not tell such an entity from the one its name stands for.
    const std::vector<std::string> names = EntityNames(level);
    for (size_t i = 0; i < names.size(); ++i) {
        for (const auto& [name, meaning] : kRouteNames) {
            if (names[i] != name)
                continue;
            err << "gamehost: " << ShownName(path) << ':' << level.entities[i].line
                << ": the entity '" << ShownName(level.entities[i].record) << "' would be called '"
                << name << "', the name a route keeps for " << meaning << '\n';
            return false;
        }
    }
    return true;
}

bool LevelPlay::LoadQuest(World& world, std::ostream& err)
{
    world.AddQuestFile(kQuest);
    QuestRepository::Destroy();
    // The loader's line on an unknown class is the refusal's cause, not a second line besides it.
    HeldDataLog log;
    QuestRepository& quests = QuestRepository::Get();
    std::string why;
    if (quests.Load(&why) && (why = quests.FindDesignFault()).empty())
        return true;
    log.Drop();
    err << "gamehost: " << ShownName(why) << '\n';
    return false;
}

bool LevelPlay::LoadLevel(World& world, const LevelFile& level, const std::string& path,
                          std::vector<uint32_t>* made, std::ostream& err)
{
    // The world's refusal names the file and the line; it is the one line told. A level at the
    // limit loads for seconds: a signal ends the load wherever it has come, and says it alone.
    HeldDataLog log;
    world.SetLoadStopping([] { return HostInterrupt::Caught() != 0; });
    const bool loaded = world.LoadLevel(level, path, made, &Proxy::CountPoolMembers);
    world.SetLoadStopping({});
    if (!loaded && HostInterrupt::Caught() == 0) {
        const std::string refusal = log.Drop();
        err << "gamehost: "
            << ShownName(refusal.empty() ? path + ": the level cannot be loaded" : refusal) << '\n';
    }
    return loaded;
}

std::string LevelPlay::RoutePath(const HostOptions& options, const std::string& ownRoute)
{
    // The database finds a name whatever its case, as it found the level.
    Database& database = ObjectManager::Instance().GetDatabase();
    if (options.routeFile.empty()) {
        if (IsLevelOnDisk(options))
            return ownRoute;
        const std::string found = database.ResolvePath(ownRoute);
        return found.empty() ? options.databaseFolder + '/' + ownRoute : found;
    }
    // One found nowhere is named as it was given.
    const std::string inDatabase =
        IsOnDisk(options.routeFile) ? std::string() : database.ResolvePath(options.routeFile);
    return inDatabase.empty() ? options.routeFile : inDatabase;
}

bool LevelPlay::Read(std::vector<ScriptOrder>& orders)
{
    if (!ReadLevel(options, level, err))
        return false;
    std::string error;
    names = EntityNames(level);
    std::vector<std::string> known = names;
    for (const auto& [name, meaning] : kRouteNames)
        known.push_back(name);
    const std::string route = RoutePath(options, RouteOf(levelPath));
    OrderScript script(known);
    if (!script.Load(route, error)) {
        err << "gamehost: route '" << ShownName(route) << "' " << error << '\n';
        return false;
    }
    orders = script.GetOrders();
    return true;
}

bool LevelPlay::Play(const std::vector<ScriptOrder>& orders)
{
    GameEngine& game = GameEngine::Get();
    Platform::SRand(options.seed);
    game.GetRandomGen().Seed(options.seed);
    game.SetGameLoading(false);
    gEngine->GetGameInfo().SetDifficulty(options.difficulty);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    std::vector<GraphicsAnim*> marked{
        HostSamples::MarkHitEvent(kClawAnimation, kHitEvent, kHitMs),
        HostSamples::MarkHitEvent(kBendAnimation, kPickupEvent, kHitMs)};
    for (const std::string& swing : HeroAttackAnimations())
        marked.push_back(HostSamples::MarkHitEvent(swing.c_str(), kHitEvent, kHitMs));
    std::vector<uint32_t> made;
    bool played =
        LoadQuest(world, err) && LoadLevel(world, level, levelPath, &made, err) && Stage(made);
    if (played) {
        out << "level " << ShownName(levelPath) << ", seed " << options.seed << ", difficulty "
            << options.difficulty << ": " << made.size() << " entities, " << orders.size()
            << " orders\n";
        watcher->Start(*roster.Hero());
        // A route without orders plays no frame: the hero is only loaded and saved again.
        if (!orders.empty())
            RunFrames(orders);
        PrintSummary();
        // An interrupted run leaves the last run's save and map as they were.
        played = HostInterrupt::Caught() == 0 && SaveHero() && DrawMap();
    }
    watcher.reset();
    QuestRepository::Get().WaitDone();
    QuestRepository::Destroy();
    world.ClearQuestFiles();
    game.GetPlayerManagerClient()->SetMainPlayer(0);
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    gEngine->GetGameInfo().SetDifficulty(0);
    for (GraphicsAnim* animation : marked)
        GraphicsEngine::Instance().UnloadAnimation(animation);
    return played;
}

bool LevelPlay::Stage(const std::vector<uint32_t>& made)
{
    map.SetLevel(level, made, names);
    for (size_t i = 0; i < made.size() && i < names.size(); ++i)
        roster.Add(names[i], made[i]);
    // What the level placed and what its spawn pools placed in turn start with their full life.
    std::vector<Entity*> characters;
    gEngine->GetWorld()->GetEntities(characters, IsKind<Character>());
    for (size_t i = 0; i < characters.size() && HostInterrupt::Caught() == 0; ++i) {
        auto* character = static_cast<Character*>(characters[i]);
        character->GetCharacterBio().Update(*character, 0);
    }
    if (HostInterrupt::Caught() != 0)
        return false;
    Player* hero = HostSamples::Make<Player>(kPlayer, err);
    if (hero == nullptr)
        return false;
    roster.Add("Hero", hero->GetObjectId());
    const Vec3 start = level.entities.empty() ? Vec3() : level.entities.front().position;
    HostSamples::EnterWorld(*hero, WorldCoords{kLevelRegion, Coords::FromTranslation(start)});
    hero->SetIsControllingCharacter(true);
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    // The tree comes before a save: the saved skills, and the bar's with them, are found in it.
    GiveLevelSkills(*hero, kPlayer);
    std::string error;
    if (options.loadFile.empty()) {
        hero->GetPlayerHotSlotCtrl().SetToDefaults();
        HostSamples::PutSkillOnBar(*hero, kBarSkill, kHeroBarSlot);
    } else {
        // A refused save is told in the host's one line; the data errors behind it go with it.
        HeldDataLog log;
        if (!PlayerSaveFile::Load(*hero, options.loadFile, error) ||
            (!options.saveFile.empty() &&
             !PlayerSaveFile::KeepsAll(*hero, options.loadFile, error))) {
            log.Drop();
            err << "gamehost: " << error << '\n';
            return false;
        }
    }
    watcher = std::make_unique<Watcher>(out, tally, roster, map);
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    if (roster.HeroController() != nullptr)
        return true;
    err << "gamehost: the hero made from '" << kPlayer << "' has no controller to take orders\n";
    return false;
}

std::string LevelPlay::LabelOf(uint32_t id) const
{
    const std::string label = roster.Label(id);
    const auto* object = ObjectManager::Instance().GetObject<Object>(id);
    return label != std::to_string(id) || object == nullptr
               ? label
               : ShownStem(object->GetObjectName()) + ' ' + label;
}

uint32_t LevelPlay::TargetOf(const std::string& name) const
{
    const Player* hero = roster.Hero();
    if (name.empty() || hero == nullptr)
        return 0;
    const WorldVec3 at = hero->GetCoords().GetPosition();
    if (name == kNearestMonster)
        return Nearest<Monster>(at, IsLivingMonster);
    if (name == kNearestLoot)
        return Nearest<Item>(at, [](const Item&) { return true; });
    return roster.IdOf(name);
}

void LevelPlay::Give(const ScriptOrder& order)
{
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    if (hero == nullptr || controller == nullptr || !hero->IsAlive())
        return;
    const uint32_t target = TargetOf(order.name);
    WorldVec3 point(kLevelRegion, Vec3(order.x, 0.0f, order.z));
    if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(target))
        point = thing->GetCoords().GetPosition();
    else if (!order.name.empty())
        point = hero->GetCoords().GetPosition();
    const bool trade =
        order.kind == ScriptOrder::Kind::Buy || order.kind == ScriptOrder::Kind::Sell;
    const bool answer =
        trade ? Trade(order, target) : mouse.Give(order, *hero, *controller, target, point);
    if (options.verbose)
        watcher->Line() << "order " << OrderScript::KindName(order.kind)
                        << (target == 0 ? std::string() : " on " + LabelOf(target)) << " -> "
                        << (answer ? "true" : "false") << '\n';
}

bool LevelPlay::Trade(const ScriptOrder& order, uint32_t merchant)
{
    const Player* hero = roster.Hero();
    MarketClient* market = GameEngine::Get().GetMarketClient(merchant);
    if (hero == nullptr || market == nullptr)
        return false;
    std::string what;
    uint32_t price = 0;
    bool done = false;
    watcher->SetTrading(true);
    if (order.kind == ScriptOrder::Kind::Buy) {
        // Copied: a purchase changes the stock it is read from.
        const std::vector<MarketStockEntry> stock = market->GetStockEntries();
        for (const MarketStockEntry& entry : stock) {
            if (!market->IsItemAffordable(entry.itemId))
                continue;
            what = ShownStem(entry.replica.baseName);
            price = entry.cost;
            done = market->PlayerPurchaseRequest(entry.itemId);
            break;
        }
    } else if (const auto* item =
                   ObjectManager::Instance().GetObject<Item>(watcher->GetLastItem())) {
        what = ShownStem(item->GetObjectName());
        price = market->GetSalePrice(item->GetObjectId());
        done = market->PlayerSaleRequest(item->GetObjectId(), false);
    }
    watcher->SetTrading(false);
    if (done) {
        ++tally.trades;
        watcher->Line() << "trade: " << (order.kind == ScriptOrder::Kind::Buy ? "bought " : "sold ")
                        << what << " for " << price << " gold, " << hero->GetCurrentMoney()
                        << " left\n";
    }
    return done;
}

void LevelPlay::RunFrames(const std::vector<ScriptOrder>& orders)
{
    using Clock = std::chrono::steady_clock;
    const int32_t last = orders.empty() ? 0 : orders.back().frame;
    const int32_t ms = options.frameMilliseconds;
    // A person watching a terminal sees the run move once a game minute; a log does not.
    const bool progress = &err == &std::cerr && isatty(STDERR_FILENO) == 1;
    size_t next = 0;
    for (int32_t frame = 0; frame <= last + kTrailingFrames && HostInterrupt::Caught() == 0;
         ++frame) {
        const Clock::time_point begin = Clock::now();
        for (; next < orders.size() && orders[next].frame == frame; ++next)
            Give(orders[next]);
        if (mouse.IsRepeating() && roster.HeroController() != nullptr) {
            const uint32_t target = mouse.GetLastTarget();
            const auto* thing = ObjectManager::Instance().GetObject<Entity>(target);
            mouse.Repeat(*roster.HeroController(),
                         thing != nullptr ? thing->GetCoords().GetPosition()
                                          : WorldVec3(kLevelRegion, Vec3(mouse.GetLastX(), 0.0f,
                                                                         mouse.GetLastZ())));
        }
        gEngine->RunFrame(ms);
        gGameEngine->Update(ms);
        tally.gameMilliseconds += static_cast<uint64_t>(ms);
        ++tally.frames;
        watcher->AfterFrame();
        if (options.verbose && frame % 30 == 0)
            TraceHero();
        if (progress && tally.gameMilliseconds % 60000 < static_cast<uint64_t>(ms))
            err << "progress " << GameClock(tally.gameMilliseconds) << ": " << tally.kills
                << " kills, quest " << (tally.questComplete ? "complete" : "open") << std::endl;
        // The map's path and drops, once a second of game time.
        if (ms > 0 && tally.gameMilliseconds % 1000 < static_cast<uint64_t>(ms))
            map.Sample(roster.IdOf("Hero"));
        const std::chrono::duration<double, std::micro> spent = Clock::now() - begin;
        tally.frameMicroseconds.Add(spent.count());
        // A paced run is watched as it goes, through a pipe or a file as well.
        if (options.realtime) {
            out.flush();
            std::this_thread::sleep_until(begin + std::chrono::milliseconds(ms));
        }
    }
}

void LevelPlay::TraceHero()
{
    const Player* hero = roster.Hero();
    const ControllerPlayer* controller = roster.HeroController();
    if (hero == nullptr || controller == nullptr)
        return;
    const char* state = controller->GetExecutingStateName();
    std::ostream& line = watcher->Line()
                         << "hero at "
                         << HostSamples::PointText(hero->GetCoords().GetRegionCoords().origin)
                         << ' ' << (state != nullptr ? state : "no state") << ", life "
                         << HostSamples::OneDecimal(hero->GetCurrentLife());
    const uint32_t enemy = controller->GetCombatEnemy();
    if (const auto* target = ObjectManager::Instance().GetObject<Character>(enemy))
        line << ", " << roster.Label(enemy) << " life "
             << HostSamples::OneDecimal(target->GetCurrentLife());
    line << '\n';
}

bool LevelPlay::SaveHero()
{
    if (options.saveFile.empty())
        return true;
    std::string error;
    if (!PlayerSaveFile::Save(*roster.Hero(), options.saveFile, error)) {
        err << "gamehost: " << error << '\n';
        return false;
    }
    watcher->Line() << "saved: " << ShownName(options.saveFile) << '\n';
    return true;
}

bool LevelPlay::DrawMap()
{
    if (options.mapFile.empty())
        return true;
    std::string error;
    if (!map.WriteFile(options.mapFile, error)) {
        err << "gamehost: map '" << ShownName(options.mapFile) << "' " << error << '\n';
        return false;
    }
    watcher->Line() << "map: " << ShownName(options.mapFile) << '\n';
    return true;
}

void LevelPlay::PrintSummary() const
{
    const Player* hero = roster.Hero();
    const FrameCostHistogram& costs = tally.frameMicroseconds;
    const double wall = costs.GetTotal();
    char timing[160];
    std::snprintf(timing, sizeof timing,
                  "frame cost: mean %.1f us, 99th percentile %.1f us, worst %.1f us; ",
                  costs.GetMean(), costs.GetPercentile(99), costs.GetWorst());
    char pace[64] = "paced to the clock\n";
    // A paced run went as fast as the clock let it, whatever its frames cost.
    if (!options.realtime)
        std::snprintf(pace, sizeof pace, "%.1f times real time\n",
                      wall > 0.0 ? static_cast<double>(tally.gameMilliseconds) * 1000.0 / wall
                                 : 0.0);
    out << "summary: " << GameClock(tally.gameMilliseconds) << " of game time in " << tally.frames
        << " frames\n"
        << "  quest: " << (tally.questComplete ? "complete" : "not complete") << ", boss "
        << (tally.bossDefeated ? "defeated" : "alive") << '\n'
        << "  kills " << tally.kills << ", items looted " << tally.looted << ", deaths "
        << tally.deaths << '\n';
    if (hero != nullptr)
        out << "  hero: level " << hero->GetCharLevel() << ", experience "
            << hero->GetExperiencePoints() << ", gold " << hero->GetCurrentMoney() << '\n';
    out << "  " << timing << pace;
}

} // namespace GAME
