// A pool spends the proxy level as a budget. Champions come first, against a share of the budget
// that the proxy's champion equation grants; what they leave returns to the main budget only
// when the champion minimum was met. Then must-spawn entries, then as many weighted tries as the
// larger count asks (champions included), then the cheapest entries fill up to the minimum
// whatever the budget. Counts and limits are held to 256 objects: a negative or huge value from
// a record must not make billions of tries.

#include "world/ProxyPool.h"

#include "core/Helpers.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "world/FixedItem.h"

#include <cstdio>

namespace GAME {

namespace {

constexpr const char* kProxyPoolSource = "Project/Game/ProxyPool";
constexpr const char* kCreateFailure = "Proxy Pool (%s) could not create object (%s)";

int32_t ClampCount(int64_t value)
{
    return static_cast<int32_t>(Clamp<int64_t>(value, 0, ProxyPool::kMaxCount));
}

// The budget after a cost, held inside 32 bits.
int32_t Spend(int32_t budget, int64_t cost)
{
    return static_cast<int32_t>(Clamp<int64_t>(budget - cost, INT32_MIN, INT32_MAX));
}

void FillNameTable(ProxyPool::ProxySelectionNameSet* sets, const char* champion)
{
    for (size_t n = 1; n <= ProxyPool::kSlots; ++n) {
        ProxyPool::ProxySelectionNameSet& set = sets[n - 1];
        std::snprintf(set.name, sizeof(set.name), "name%s%zu", champion, n);
        std::snprintf(set.weight, sizeof(set.weight), "weight%s%zu", champion, n);
        std::snprintf(set.difficulty, sizeof(set.difficulty), "difficulty%s%zu", champion, n);
        std::snprintf(set.difficultyCutoff, sizeof(set.difficultyCutoff), "difficultyCutoff%s%zu",
                      champion, n);
        std::snprintf(set.limit, sizeof(set.limit), "limit%s%zu", champion, n);
        std::snprintf(set.alwaysSpawn, sizeof(set.alwaysSpawn), "alwaysSpawn%s%zu", champion, n);
    }
}

// Destroys the held objects that still exist; `before` sees each one first.
template <typename Before> void DestroyHeld(std::vector<uint32_t>& objects, Before before)
{
    ObjectManager& manager = ObjectManager::Instance();
    for (const uint32_t id : objects) {
        if (Object* object = manager.GetObject<Object>(id)) {
            before(*object);
            manager.DestroyObjectEx(object, kProxyPoolSource, __LINE__);
        }
    }
    objects.clear();
}

} // namespace

void ProxyPoolObjects::PreLoad(bool flag)
{
    for (const uint32_t id : objects) {
        if (Object* object = ObjectManager::Instance().GetObject<Object>(id))
            object->PreLoad(flag);
    }
}

const LoadTable* ProxyPoolObjects::BeginLoad(const std::string& record)
{
    recordName = record;
    return record.empty() ? nullptr : &ProxyRecord(record);
}

Entity* ProxyPoolObjects::CreateHeld(const std::string& record)
{
    Entity* entity = ObjectManager::Instance().CreateObjectFromFile<Entity>(record, 0, true);
    if (entity == nullptr) {
        gEngine->Log(Engine::LogData, kCreateFailure, recordName.c_str(), record.c_str());
        return nullptr;
    }
    objects.push_back(entity->GetObjectId());
    return entity;
}

uint32_t DrawProxyWeight(uint64_t sum)
{
    const int limit = static_cast<int>(std::min<uint64_t>(sum, INT32_MAX));
    return static_cast<uint32_t>(GameEngine::Get().GetRandomGen().IGenerate(0, limit));
}

const ProxyPool::ProxySelectionNameSet* ProxyPool::GetNameTable(bool champion)
{
    static const struct Tables {
        ProxySelectionNameSet plain[kSlots];
        ProxySelectionNameSet champion[kSlots];
        Tables()
        {
            FillNameTable(plain, "");
            FillNameTable(champion, "Champion");
        }
    } tables;
    return champion ? tables.champion : tables.plain;
}

ProxyPool::~ProxyPool()
{
    RemoveObjectsNotPlaced();
}

void ProxyPool::LoadFromFile(const std::string& record)
{
    const LoadTable* found = BeginLoad(record);
    if (found == nullptr)
        return;
    const LoadTable& table = *found;
    spawnMin = static_cast<uint32_t>(table.GetInt("spawnMin", 0));
    spawnMax = static_cast<uint32_t>(table.GetInt("spawnMax", 0));
    championMin = static_cast<uint32_t>(table.GetInt("championMin", 0));
    championMax = static_cast<uint32_t>(table.GetInt("championMax", 0));
    championChance = table.GetFloat("championChance", 0.0f);
    LoadSelection(table, GetNameTable(false), spawnMax, entries);
    LoadSelection(table, GetNameTable(true), championMax, championEntries);
    const std::string equations = table.GetString("proxyPoolEquation", "");
    if (equations.empty())
        return;
    const LoadTable& counts = ProxyRecord(equations);
    spawnMinEquation = counts.GetString("spawnMinEquation", "");
    spawnMaxEquation = counts.GetString("spawnMaxEquation", "");
    championMinEquation = counts.GetString("championMinEquation", "");
    championMaxEquation = counts.GetString("championMaxEquation", "");
}

void ProxyPool::LoadSelection(const LoadTable& table, const ProxySelectionNameSet* sets,
                              uint32_t defaultLimit, std::vector<ProxyPoolEntry>& out)
{
    GameEngine& game = GameEngine::Get();
    out.reserve(out.size() + kSlots);
    for (size_t slot = 0; slot < kSlots; ++slot) {
        const ProxySelectionNameSet& keys = sets[slot];
        ProxyPoolEntry entry;
        entry.name = table.GetString(keys.name, "");
        if (entry.name.empty())
            continue;
        const auto difficulty = static_cast<uint32_t>(table.GetInt(keys.difficulty, 0));
        entry.difficultyCutoff = static_cast<uint32_t>(table.GetInt(keys.difficultyCutoff, 0));
        entry.weight = static_cast<uint32_t>(table.GetInt(keys.weight, 0));
        entry.alwaysSpawn = table.GetBool(keys.alwaysSpawn, false);
        const int32_t limit = table.GetInt(keys.limit, 0);
        entry.limit = static_cast<uint32_t>(
            ClampCount(limit != 0 ? limit : static_cast<int32_t>(defaultLimit)));
        const LoadTable& monster = ProxyRecord(entry.name);
        entry.difficulty =
            parent != nullptr
                ? static_cast<uint32_t>(parent->CalculateCharacterDifficulty(monster, difficulty))
                : difficulty;
        const auto kind = GameEngine::ResolveMonsterClassificationEnum(
            monster.GetString("monsterClassification", ""));
        if (kind == MonsterClassification_Hero || kind == MonsterClassification_Boss) {
            if (game.IsProxyHeroBossInGame(entry.name))
                entry.limit = 0;
            else
                entry.heroOrBoss = true;
        }
        out.push_back(std::move(entry));
    }
}

bool ProxyPool::IsAvailable(const int32_t& budget, const ProxyPoolEntry& entry)
{
    return entry.limit != 0 && static_cast<int32_t>(entry.difficulty) <= budget &&
           (entry.difficultyCutoff == 0 || static_cast<int32_t>(entry.difficultyCutoff) >= budget);
}

bool ProxyPool::IsMustSpawn(const ProxyPoolEntry& entry)
{
    return entry.limit != 0 && entry.alwaysSpawn;
}

bool ProxyPool::PickSelection(std::vector<ProxyPoolEntry>& from, int32_t& budget,
                              ProxyPoolEntry& out)
{
    const size_t index = PickProxyWeighted(
        from, [](const ProxyPoolEntry& entry) { return entry.weight; },
        [budget](const ProxyPoolEntry& entry) { return IsAvailable(budget, entry); });
    if (index >= from.size())
        return false;
    out = from[index];
    --from[index].limit;
    budget = Spend(budget, static_cast<int32_t>(from[index].difficulty));
    return true;
}

bool ProxyPool::GetMustPickSelection(std::vector<ProxyPoolEntry>& from, int32_t& budget,
                                     ProxyPoolEntry& out)
{
    for (ProxyPoolEntry& entry : from) {
        if (!IsMustSpawn(entry))
            continue;
        out = entry;
        --entry.limit;
        budget = Spend(budget, static_cast<int32_t>(entry.difficulty));
        return true;
    }
    return false;
}

void ProxyPool::GetLeastDifficultSelection(std::vector<ProxyPoolEntry>& from, ProxyPoolEntry& out)
{
    ProxyPoolEntry* least = nullptr;
    for (ProxyPoolEntry& entry : from) {
        if (entry.limit != 0 && (least == nullptr || entry.difficulty < least->difficulty))
            least = &entry;
    }
    if (least == nullptr)
        return;
    out = *least;
    --least->limit;
}

bool ProxyPool::CreateAddToSpawnList(const ProxyPoolEntry& entry)
{
    if (entry.name.empty() || CreateHeld(entry.name) == nullptr)
        return false;
    if (entry.heroOrBoss)
        GameEngine::Get().RegisterProxyHeroBoss(entry.name);
    return true;
}

void ProxyPool::RemoveObjectsNotPlaced()
{
    DestroyHeld(objects, [](const Object& object) {
        if (gGameEngine != nullptr)
            gGameEngine->UnregisterProxyHeroBoss(object.GetObjectName());
    });
}

uint32_t ProxyPool::Count(uint32_t base, const char* addKey, const char* modifierKey,
                          const std::string& equation) const
{
    const LoadTable& settings = GameEngine::Get().GetDatabase();
    const auto difficulty = static_cast<size_t>(GameEngine::Get().GetGameDifficulty());
    int32_t count = SaturateToInt(static_cast<double>(static_cast<int32_t>(base)) +
                                  settings.GetFloatAt(addKey, difficulty, 0.0f));
    const float modifier = settings.GetFloatAt(modifierKey, difficulty, 0.0f);
    if (modifier > 0.0f)
        count = SaturateToInt(modifier * 0.01f * static_cast<float>(count));
    if (!equation.empty() && parent != nullptr)
        count = parent->RunEquation(equation, count);
    return static_cast<uint32_t>(ClampCount(count));
}

void ProxyPool::RunPool(int32_t budget)
{
    proxyLevel = budget;
    const uint32_t minimum = Count(spawnMin, "spawnMin", "spawnMinModifier", spawnMinEquation);
    const uint32_t maximum = Count(spawnMax, "spawnMax", "spawnMaxModifier", spawnMaxEquation);
    const uint32_t championLow =
        Count(championMin, "championMin", "championMinModifier", championMinEquation);
    const uint32_t championHigh =
        Count(championMax, "championMax", "championMaxModifier", championMaxEquation);
    if (championChance <= 0.0f ||
        GameEngine::Get().GetRandomGen().FGenerate(0.0f, 100.0f) <= championChance)
        RunChampions(budget, championLow, championHigh);
    RunMain(budget, minimum, maximum);
}

void ProxyPool::RunChampions(int32_t& budget, uint32_t minimum, uint32_t maximum)
{
    const int32_t granted = parent != nullptr
                                ? parent->CalculateChampionDifficulty(static_cast<uint32_t>(budget))
                                : budget;
    budget = Spend(budget, granted);
    int32_t champions = granted;
    ProxyPoolEntry entry;
    while (GetMustPickSelection(championEntries, champions, entry))
        CreateAddToSpawnList(entry);
    for (uint32_t tries = Max(minimum, maximum); tries > 0; --tries) {
        ProxyPoolEntry picked;
        PickSelection(championEntries, champions, picked);
        CreateAddToSpawnList(picked);
    }
    if (minimum != 0 && objects.size() < minimum)
        FillCheapest(championEntries, minimum);
    else
        budget = Spend(budget, -static_cast<int64_t>(champions));
}

void ProxyPool::RunMain(int32_t& budget, uint32_t minimum, uint32_t maximum)
{
    ProxyPoolEntry entry;
    while (GetMustPickSelection(entries, budget, entry))
        CreateAddToSpawnList(entry);
    for (int64_t tries = static_cast<int64_t>(Max(minimum, maximum)) - objects.size(); tries > 0;
         --tries) {
        ProxyPoolEntry picked;
        PickSelection(entries, budget, picked);
        CreateAddToSpawnList(picked);
    }
    FillCheapest(entries, minimum);
}

void ProxyPool::FillCheapest(std::vector<ProxyPoolEntry>& from, uint32_t minimum)
{
    for (size_t tries = objects.size() < minimum ? minimum - objects.size() : 0; tries > 0;
         --tries) {
        ProxyPoolEntry picked;
        GetLeastDifficultSelection(from, picked);
        CreateAddToSpawnList(picked);
    }
}

ProxyAccessoryPool::~ProxyAccessoryPool()
{
    RemoveObjectsNotPlaced();
}

void ProxyAccessoryPool::LoadFromFile(const std::string& record)
{
    const LoadTable* table = BeginLoad(record);
    if (table == nullptr)
        return;
    fixedItemChance = static_cast<uint32_t>(table->GetInt("fixedItemChance", 0));
    LoadFixedItemSelections(*table);
}

void ProxyAccessoryPool::LoadFixedItemSelections(const LoadTable& table)
{
    selections.reserve(selections.size() + kSlots);
    for (int n = 1; n <= kSlots; ++n) {
        const std::string suffix = std::to_string(n);
        std::string name = table.GetString(("fixedItemName" + suffix).c_str(), "");
        if (!name.empty())
            selections.push_back({std::move(name), static_cast<uint32_t>(table.GetInt(
                                                       ("fixedItemWeight" + suffix).c_str(), 0))});
    }
}

void ProxyAccessoryPool::RunPool(int32_t level)
{
    proxyLevel = level;
    const auto drawn = static_cast<uint32_t>(GameEngine::Get().GetRandomGen().IGenerate(0, 100));
    if (drawn > fixedItemChance)
        return;
    std::string name;
    GetFixedItemSelection(name);
    CreateAddToOtherList(name);
}

void ProxyAccessoryPool::GetFixedItemSelection(std::string& out) const
{
    const size_t index = PickProxyWeighted(
        selections, [](const Proxy::ProxySelection& selection) { return selection.weight; },
        [](const Proxy::ProxySelection&) { return true; });
    out = index < selections.size() ? selections[index].name : std::string();
}

bool ProxyAccessoryPool::CreateAddToOtherList(const std::string& record)
{
    Entity* entity = record.empty() ? nullptr : CreateHeld(record);
    if (entity == nullptr)
        return false;
    if (auto* item = DynamicCast<FixedItem>(entity))
        item->SetProxyLevel(static_cast<uint32_t>(proxyLevel));
    return true;
}

void ProxyAccessoryPool::RemoveObjectsNotPlaced()
{
    DestroyHeld(objects, [](const Object&) {});
}

} // namespace GAME
