// How a proxy peoples its spot.
//
// Load, on the machine that runs the game logic only, reads the player levels and the designer
// limits, picks one pool record from the list of the game's difficulty (falling back to the next
// easier list when that one is empty) and runs the pools at once: the monsters, champions and
// the fixed item are made outside the world and wait in the pools. The first initial update
// tells the quests that the proxy is about to place its objects (a quest may disable it then),
// rolls the chance to run, and places the accessory and the pool objects on free points around
// the proxy; what finds no point stays in its pool and goes with it. Every roll comes from the
// shared generator, so one seed gives one level.
//
// The proxy's lock is held for the whole of load and initial update; the locks taken inside
// (player list, group list, unified pools) are taken one at a time.

#include "world/Proxy.h"

#include "ai/ControllerMonster.h"
#include "characters/Monster.h"
#include "core/BinaryWriter.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/GameEvents.h"
#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/BinaryReader.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/ProxyPool.h"

#include <string_view>
#include <utility>

namespace GAME {

GAME_IMPLEMENT_CLASS(Proxy, Actor);

namespace {

// Proxies in the editor's filter.
constexpr int32_t kProxyFilterType = 3;

// Pools hold monsters and fixed items. A proxy that a pool makes runs no pool of its own: one
// whose pool named its own record would make proxies without end.
thread_local int runningPools = 0;

// A parsed equation, or null (with the failure logged) for text that does not parse.
std::unique_ptr<DesignerEquation_Algebra> Parse(const std::string& text, Proxy* provider)
{
    auto equation = std::make_unique<DesignerEquation_Algebra>();
    if (!equation->ParseEquation(text.c_str(), provider))
        return nullptr;
    return equation;
}

// Designer scaling of a percentage modifier taken from the settings list of the difficulty.
float ApplyModifier(const char* key, uint32_t difficulty, float value)
{
    const float modifier = GameEngine::Get().GetDatabase().GetFloatAt(key, difficulty, 0.0f);
    return modifier > 0.0f ? modifier * 0.01f * value : value;
}

} // namespace

const LoadTable& ProxyRecord(const std::string& name)
{
    static const LoadTable empty;
    if (name.empty())
        return empty;
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(name);
    return objects.GetLoadTable(name);
}

Proxy::Proxy() = default;

Proxy::~Proxy()
{
    difficultyEquation.reset();
    characterDifficultyEquation.reset();
    championDifficultyEquation.reset();
    if (gEngine != nullptr && gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
    pool.reset();
    accessoryPool.reset();
}

void Proxy::Load(const LoadTable& table)
{
    CriticalSectionLock hold(lock);
    Actor::Load(table);
    // Without the hub (a bare engine, a tool) there is no game to people.
    if (gEngine->IsLevelEditor() || gEngine->IsNetworkClient() || gGameEngine == nullptr)
        return;
    GameEngine::Get().GetPlayerInfo(playerInfo);
    placementExtents = table.GetFloat("placementExtents", 2.5f);
    chanceToRun = table.GetFloat("chanceToRun", 0.0f);
    LoadEquations(table.GetString("difficultyEquationFile", ""));
    limitsFile = table.GetString("difficultyLimitsFile", "");
    SetDesignerLimits();
    InitializePools(table);
}

void Proxy::LoadEquations(const std::string& recordName)
{
    const LoadTable& record = ProxyRecord(recordName);
    struct Slot {
        const char* key;
        std::unique_ptr<DesignerEquation_Algebra> Proxy::*equation;
        const char* failure;
    };
    static constexpr Slot kSlots[] = {
        {"difficultyEquation", &Proxy::difficultyEquation,
         "-=- Proxy Equation load failure : difficultyEquation "},
        {"characterDifficultyEquation", &Proxy::characterDifficultyEquation,
         "-=- Proxy Equation load failure : characterDifficultyEquation "},
        {"championDifficultyEquation", &Proxy::championDifficultyEquation,
         "-=- Proxy Equation load failure : championDifficultyEquation "},
    };
    for (const Slot& slot : kSlots) {
        const std::string text = record.GetString(slot.key, "");
        (this->*slot.equation).reset();
        if (text.empty())
            continue;
        this->*slot.equation = Parse(text, this);
        if (!(this->*slot.equation))
            gEngine->Log(Engine::LogData, "%s", slot.failure);
    }
}

void Proxy::SetDesignerLimits()
{
    uint32_t lowest = 0;
    uint32_t highest = 0;
    if (limitsFile.empty()) {
        gEngine->Log(Engine::LogRuntime, "Proxy: No Limits equation file specified (%s)",
                     GetObjectName().c_str());
    } else {
        const LoadTable& limits = ProxyRecord(limitsFile);
        const uint32_t d = playerInfo.gameDifficulty;
        const std::string suffix = d == 2 ? "Legendary" : d == 1 ? "Epic" : "Normal";
        lowest = ReadLimit(limits.GetString(("minPlayerLevelEquation" + suffix).c_str(), ""),
                           "-=- Proxy Warning: missing equation for minPlayerLevel (%s) ",
                           "-=- Proxy Limit Equation load failure : minPlayerLevel (%s) ");
        highest = ReadLimit(limits.GetString(("maxPlayerLevelEquation" + suffix).c_str(), ""),
                            "-=- Proxy Warning: missing equation for maxPlayerLevel (%s) ",
                            "-=- Proxy Limit Equation load failure : maxPlayerLevel (%s) ");
    }
    // The lowest limit is tested first; 0 is no limit.
    averagePlayerLevel = playerInfo.averagePlayerLevel;
    if (lowest != 0 && averagePlayerLevel < lowest)
        averagePlayerLevel = lowest;
    else if (highest != 0 && averagePlayerLevel > highest)
        averagePlayerLevel = highest;
}

uint32_t Proxy::ReadLimit(const std::string& text, const char* missingFormat,
                          const char* failureFormat)
{
    if (text.empty()) {
        gEngine->Log(Engine::LogRuntime, missingFormat, text.c_str());
        return 0;
    }
    const std::unique_ptr<DesignerEquation_Algebra> equation = Parse(text, this);
    if (!equation) {
        gEngine->Log(Engine::LogData, failureFormat, text.c_str());
        return 0;
    }
    return SaturateToUInt((*equation)());
}

void Proxy::InitializePools(const LoadTable& table)
{
    GameEngine& game = GameEngine::Get();
    const GameEngine::ProxyType type = game.GetProxyType(this);
    if (type == GameEngine::ProxyType_Unique && !game.IsUniqueProxySelected(this))
        return;
    const uint32_t d = playerInfo.gameDifficulty;
    std::vector<ProxySelection> candidates;
    LoadCandidates(table, d, candidates);

    std::string accessory = d == 2 ? table.GetString("accessoryLegendary1", "") : std::string();
    if (accessory.empty() && (d == 1 || d == 2))
        accessory = table.GetString("accessoryEpic1", "");
    if (accessory.empty())
        accessory = table.GetString("accessory1", "");

    proxyLevel = CalculateProxyLevel();
    const std::string poolName = type == GameEngine::ProxyType_Unified
                                     ? ChoosePoolName(candidates)
                                     : GetPoolName(candidates, SelectPool(candidates));
    MakePool(accessoryPool, accessory);
    MakePool(pool, poolName);
}

template <typename Pool> void Proxy::MakePool(std::unique_ptr<Pool>& slot, const std::string& name)
{
    if (name.empty())
        return;
    // The old pool and what it holds go before the new one makes anything.
    slot.reset();
    if (runningPools > 0) {
        gEngine->Log(Engine::LogData, "Proxy pool (%s) not made: its proxy was made by a pool",
                     name.c_str());
        return;
    }
    ++runningPools;
    slot = std::make_unique<Pool>();
    slot->SetParent(this);
    slot->LoadFromFile(name);
    slot->RunPool(proxyLevel);
    --runningPools;
}

void Proxy::LoadCandidates(const LoadTable& table, uint32_t d,
                           std::vector<ProxySelection>& candidates) const
{
    const auto loadList = [&](const std::string& pool, const std::string& weight) {
        for (int n = 1; n <= 6; ++n) {
            const std::string suffix = std::to_string(n);
            LoadPoolSelection(table, (pool + suffix).c_str(), (weight + suffix).c_str(),
                              candidates);
        }
    };
    if (d == 2)
        loadList("poolLegendary", "weightLegendary");
    if (d == 2 && !candidates.empty())
        return;
    if (d == 1 || d == 2)
        loadList("poolEpic", "weightEpic");
    if (candidates.empty())
        loadList("pool", "weight");
}

void Proxy::LoadPoolSelection(const LoadTable& table, const char* poolKey, const char* weightKey,
                              std::vector<ProxySelection>& out)
{
    std::string name = table.GetString(poolKey, "");
    if (name.empty())
        return;
    out.push_back({std::move(name), static_cast<uint32_t>(table.GetInt(weightKey, 0))});
}

std::string Proxy::ChoosePoolName(const std::vector<ProxySelection>& candidates)
{
    // The proxies of a unified group share the first index drawn for the group.
    GameEngine& game = GameEngine::Get();
    uint32_t index = 0;
    if (!game.GetUnifiedProxyPool(this, index)) {
        index = SelectPool(candidates);
        game.SetUnifiedProxyPool(this, index);
    }
    return GetPoolName(candidates, index);
}

int32_t Proxy::CalculateProxyLevel() const
{
    if (!difficultyEquation)
        return 0;
    const float value =
        ApplyModifier("difficultyModifier", playerInfo.gameDifficulty, (*difficultyEquation)());
    return SaturateToInt(static_cast<double>(value) + 0.5);
}

uint32_t Proxy::SelectPool(const std::vector<ProxySelection>& candidates)
{
    const size_t index = PickProxyWeighted(
        candidates, [](const ProxySelection& candidate) { return candidate.weight; },
        [](const ProxySelection&) { return true; });
    return index < candidates.size() ? static_cast<uint32_t>(index) : 0u;
}

std::string Proxy::GetPoolName(const std::vector<ProxySelection>& candidates, uint32_t index)
{
    return index < candidates.size() ? candidates[index].name : std::string();
}

void Proxy::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    if (pool)
        pool->PreLoad(flag);
    if (accessoryPool)
        accessoryPool->PreLoad(flag);
}

size_t Proxy::CountPoolMembers(const Entity& entity)
{
    const Proxy* proxy = DynamicCast<Proxy>(&entity);
    if (proxy == nullptr)
        return 0;
    return (proxy->pool ? proxy->pool->GetObjects().size() : 0) +
           (proxy->accessoryPool ? proxy->accessoryPool->GetObjects().size() : 0);
}

void Proxy::InitialUpdate()
{
    CriticalSectionLock hold(lock);
    Actor::InitialUpdate();
    if (gEngine->IsLevelEditor()) {
        SetVisibility(true);
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kProxyFilterType);
        return;
    }
    SetVisibility(false);
    if (!gEngine->IsNetworkClient())
        RunProxy();
}

void Proxy::RunProxy()
{
    if (hasRun)
        return;
    GameEvent_GenericEntity event;
    event.objectId = GetObjectId();
    event.objectName = GetObjectName();
    EventManager::Instance().Send("GameEvent_GenericEntityInitialUpdate", event);
    if (hasRun)
        return;
    if (chanceToRun > 0.0f &&
        GameEngine::Get().GetRandomGen().FGenerate(0.0f, 100.0f) > chanceToRun)
        return;
    hasRun = true;

    if (accessoryPool)
        SelectPoolLoctions(accessoryPool->GetObjects(), accessoryLocations, false);
    if (pool)
        SelectPoolLoctions(pool->GetObjects(), poolLocations, false);
    PathFinder::Instance().ClearFillData();
    if (accessoryPool) {
        AccessoryComplete(*accessoryPool, accessoryLocations);
        accessoryLocations.clear();
    }
    if (pool) {
        PoolComplete(*pool, poolLocations);
        poolLocations.clear();
    }
}

void Proxy::SelectPoolLoctions(const std::vector<uint32_t>& ids, std::vector<WorldCoords>& out,
                               bool randomRotation)
{
    const WorldCoords centre = GetCoords();
    const std::vector<float> radii(ids.size(), placementExtents);
    std::vector<WorldVec3> points;
    const size_t count =
        PathFinder::Instance().FillPointSet(centre.GetPosition(), radii, points, randomRotation);
    // Every object faces the way the proxy faces.
    out.assign(count, centre);
    for (size_t i = 0; i < count; ++i)
        out[i].SetPosition(points[i]);
}

void Proxy::PlaceObjects(std::vector<uint32_t>& ids, const std::vector<WorldCoords>& locations)
{
    World* world = gEngine->GetWorld();
    auto id = ids.begin();
    for (auto location = locations.begin(); id != ids.end() && location != locations.end();
         ++location) {
        Entity* entity = ObjectManager::Instance().GetObject<Entity>(*id);
        if (entity == nullptr || world == nullptr) {
            ++id;
            continue;
        }
        AddUniqueIdToEntity(*entity);
        PlaceInWorld(*world, *entity, *location);
        AddPlacedObject(*id);
        id = ids.erase(id);
    }
}

void Proxy::PlaceInWorld(World& world, Entity& entity, const WorldCoords& location)
{
    if (world.AddEntity(&entity, location, true) && !entity.HasDoneInitialUpdate())
        entity.InitialUpdate();
}

void Proxy::AddUniqueIdToEntity(Entity& entity) const
{
    const Monster* monster = DynamicCast<Monster>(&entity);
    if (monster == nullptr)
        return;
    if (auto* controller =
            ObjectManager::Instance().GetObject<ControllerMonster>(monster->GetControllerId()))
        controller->SetProxyId(GetUniqueID());
}

void Proxy::PoolComplete(ProxyPool& spawnPool, const std::vector<WorldCoords>& locations)
{
    std::vector<uint32_t>& ids = spawnPool.GetObjects();
    if (ids.empty())
        return;
    const auto siblings = static_cast<uint32_t>(ids.size());
    for (const uint32_t id : ids) {
        if (auto* monster = ObjectManager::Instance().GetObject<Monster>(id)) {
            monster->SetProxyParent(GetObjectName());
            monster->SetProxyNumSiblings(siblings);
        }
    }
    PlaceObjects(ids, locations);
}

void Proxy::AccessoryComplete(ProxyAccessoryPool& accessory,
                              const std::vector<WorldCoords>& locations)
{
    if (!accessory.GetObjects().empty())
        PlaceObjects(accessory.GetObjects(), locations);
}

void Proxy::GetPrimaryObjects(std::vector<uint32_t>& out) const
{
    if (pool)
        out = pool->GetObjects();
}

void Proxy::GetAccessoryObjects(std::vector<uint32_t>& out) const
{
    if (accessoryPool)
        out = accessoryPool->GetObjects();
}

int32_t Proxy::CalculateCharacterDifficulty(const LoadTable& monster, uint32_t difficulty) const
{
    characterLevel =
        static_cast<uint32_t>(monster.GetIntAt("charLevel", playerInfo.gameDifficulty, 0));
    entryDifficulty = difficulty;
    const auto base = static_cast<int32_t>(difficulty);
    if (!characterDifficultyEquation)
        return base;
    return Max(base, SaturateToInt(static_cast<double>((*characterDifficultyEquation)()) + 0.5));
}

int32_t Proxy::CalculateChampionDifficulty(uint32_t points) const
{
    availableChampionDifficulty = points;
    if (!championDifficultyEquation)
        return static_cast<int32_t>(points);
    const float value = ApplyModifier("championDifficultyModifier", playerInfo.gameDifficulty,
                                      (*championDifficultyEquation)());
    const int64_t result = SaturateToInt(static_cast<double>(value) + 0.5);
    return static_cast<int32_t>(Clamp<int64_t>(result, 0, points));
}

int32_t Proxy::RunEquation(const std::string& text, int32_t current)
{
    poolValue = current;
    if (text.empty()) {
        gEngine->Log(Engine::LogRuntime, "%s",
                     "-=- Proxy RunEquation: missing equation for poolValue ");
        return current;
    }
    const std::unique_ptr<DesignerEquation_Algebra> equation = Parse(text, this);
    if (!equation) {
        gEngine->Log(Engine::LogData, "-=- Proxy RunEquation load failure : poolValue (%s) ",
                     text.c_str());
        return current;
    }
    return SaturateToInt((*equation)());
}

bool Proxy::GetDesignerVariable(const char* name, float& value)
{
    const std::string_view asked(name);
    const std::pair<std::string_view, int64_t> variables[] = {
        {"averagePlayerLevel", averagePlayerLevel},
        {"minPlayerLevel", playerInfo.minPlayerLevel},
        {"maxPlayerLevel", playerInfo.maxPlayerLevel},
        {"numberOfPlayers", playerInfo.numberOfPlayers},
        {"gameDifficulty", playerInfo.gameDifficulty},
        {"characterLevel", characterLevel},
        {"entryDifficulty", entryDifficulty},
        {"poolValue", poolValue},
        {"availableChampionDifficulty", availableChampionDifficulty},
    };
    value = 0.0f;
    for (const auto& [variable, number] : variables) {
        if (asked == variable) {
            value = static_cast<float>(number);
            return true;
        }
    }
    return false;
}

void Proxy::SaveState(BinaryWriter& writer) const
{
    Actor::SaveState(writer);
    writer.WriteBool(hasRun);
}

bool Proxy::RestoreState(BinaryReader& reader)
{
    uint32_t word = 0;
    if (!Actor::RestoreState(reader) || !reader.ReadUInt32(word))
        return false;
    hasRun = word != 0;
    return true;
}

} // namespace GAME
