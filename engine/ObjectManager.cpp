#include "engine/ObjectManager.h"

#include "engine/EventManager.h"

#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Platform.h"

#include <algorithm>

namespace GAME {

namespace {
constexpr uint32_t kIdBits = 28;
constexpr uint32_t kIdMask = (1u << kIdBits) - 1;
// Room for any source name in a destruction record.
constexpr size_t kFileRoom = 64;
} // namespace

std::atomic<ObjectManager*> ObjectManager::instance{nullptr};

ObjectManager& ObjectManager::MakeInstance()
{
    static ObjectManager manager;
    instance.store(&manager, std::memory_order_release);
    return manager;
}

// Objects still alive at exit unregister their event handlers as they go, so the event manager
// is made first and therefore destroyed after this one.
ObjectManager::ObjectManager() : gameThread(Platform::GetCurrentThreadId())
{
    EventManager::Instance();
}

ObjectManager::~ObjectManager()
{
    DestroyAllObjects();
}

void ObjectManager::SetHostIndex(uint32_t index)
{
    hostIndex = index & 0xF;
}

uint32_t ObjectManager::CreateObjectID()
{
    CriticalSectionLock guard(lock);
    // At most 2^28 tries: only a full id space fails, and then 0 says so.
    for (uint32_t tries = 0; tries <= kIdMask; ++tries) {
        const uint32_t serial = nextId;
        nextId = nextId >= kIdMask ? 1 : nextId + 1;
        const uint32_t id = (hostIndex << kIdBits) | serial;
        if (!objects.Contains(id))
            return id;
    }
    return 0;
}

bool ObjectManager::Register(Object* object, uint32_t id)
{
    // One hold across choosing and inserting, so no other thread can take the id in between.
    CriticalSectionLock guard(lock);
    if (id == 0)
        id = CreateObjectID();
    if (id == 0 || !objects.Insert(id, object)) {
        gEngine->Log(Engine::LogData, "ObjectManager: object id 0x%08x is already in use (%s)", id,
                     object->GetClassInfo()->GetName());
        return false;
    }
    object->objectId = id;
    deletedThisPass.erase(object);
    return true;
}

bool ObjectManager::RegisterObject(Object* object, uint32_t id)
{
    return object != nullptr && Register(object, id);
}

Object* ObjectManager::CreateObject(const char* className, uint32_t id)
{
    bool refused = false;
    return Make(className, id, {}, refused);
}

// Refused before anything is built, so that a peer past its bound costs no more than a look-up.
Object* ObjectManager::Make(const char* className, uint32_t id, const std::string& record,
                            bool& refused)
{
    const bool watched = Watched(className, id);
    refused = watched && !warden->MayMake(id, record);
    if (refused)
        return nullptr;
    ++making;
    Object* object = static_cast<Object*>(Object::classInfo.CreateObject(className));
    --making;
    if (object == nullptr)
        return nullptr;
    if (!Register(object, id)) {
        delete object;
        return nullptr;
    }
    if (watched)
        warden->Made(object->objectId);
    return object;
}

bool ObjectManager::Watched(const char* className, uint32_t id) const
{
    if (warden == nullptr || making != 0 || !gEngine->IsPeerWord())
        return false;
    // An effect made here as what an action shows (no id of the peer's) plays out and goes by
    // itself within seconds: a world at the limit shows many at once, and they never fill it.
    const RTTI_ClassInfo* info = Object::classInfo.FindClass(className);
    return info != nullptr && info->IsA(Entity::classInfo) &&
           (id != 0 || !info->IsA(EffectEntity::classInfo));
}

Object* ObjectManager::CreateObjectFromFile(const std::string& recordPath, uint32_t id, bool load)
{
    const LoadTable* table = nullptr;
    return CreateFromRecord(recordPath, id, load, table);
}

Object* ObjectManager::CreateFromRecord(const std::string& recordPath, uint32_t id, bool load,
                                        const LoadTable*& table)
{
    table = database.FindLoadTable(recordPath);
    if (table == nullptr) {
        gEngine->Log(Engine::LogData, "ObjectManager: record '%s' could not be loaded",
                     recordPath.c_str());
        return nullptr;
    }
    if (std::find(recordsLoading.begin(), recordsLoading.end(), table) != recordsLoading.end() ||
        recordsLoading.size() >= kMaxRecordDepth) {
        RefuseRecord(recordPath, *table);
        table = nullptr;
        return nullptr;
    }
    const std::string className = table->GetString("Class");
    bool refused = false;
    Object* object = Make(className.c_str(), id, recordPath, refused);
    if (refused)
        return nullptr;
    if (object == nullptr) {
        gEngine->Log(Engine::LogData,
                     "ObjectManager: record '%s' names no class that can be made (%s)",
                     recordPath.c_str(), className.c_str());
        return nullptr;
    }
    object->SetObjectName(recordPath);
    if (load)
        LoadObject(*object, *table);
    return object;
}

void ObjectManager::LoadObject(Object& object, const LoadTable& table)
{
    recordsLoading.push_back(&table);
    ++making;
    object.Load(table);
    --making;
    recordsLoading.pop_back();
    if (recordsLoading.empty())
        recordsRefused.clear();
}

void ObjectManager::RefuseRecord(const std::string& recordPath, const LoadTable& table)
{
    if (std::find(recordsRefused.begin(), recordsRefused.end(), &table) != recordsRefused.end())
        return;
    recordsRefused.push_back(&table);
    if (recordsLoading.size() >= kMaxRecordDepth)
        gEngine->Log(Engine::LogData,
                     "ObjectManager: record '%s' is named %zu records deep; not made",
                     recordPath.c_str(), recordsLoading.size());
    else
        gEngine->Log(Engine::LogData,
                     "ObjectManager: record '%s' names itself, directly or through the records "
                     "it names; not made",
                     recordPath.c_str());
}

Object* ObjectManager::GetObjectLocked(uint32_t id) const
{
    CriticalSectionLock guard(lock);
    return objects.Find(id);
}

size_t ObjectManager::GetObjectCount() const
{
    CriticalSectionLock guard(lock);
    return objects.Size();
}

std::vector<uint32_t> ObjectManager::GetObjectIds() const
{
    CriticalSectionLock guard(lock);
    std::vector<uint32_t> ids;
    ids.reserve(objects.Size());
    objects.ForEach([&ids](uint32_t id, Object*) { ids.push_back(id); });
    return ids;
}

void ObjectManager::DestroyObjectEx(Object* object, const char* file, int line)
{
    if (object == nullptr)
        return;
    CriticalSectionLock guard(lock);
    if (object == deleting || deletedThisPass.count(object) != 0 ||
        !pendingSet.insert(object).second)
        return;
    if (objects.Find(object->objectId) == object)
        objects.Erase(object->objectId);
    pendingDeletes.push_back(object);
    RecordDestruction(object->objectId, file != nullptr ? file : "", line);
}

void ObjectManager::RecordDestruction(uint32_t id, const char* file, int line)
{
    // Every slot is made at the first destruction, with room for any source name, so that
    // recording allocates nothing after that.
    if (destroyHistory.empty()) {
        destroyHistory.resize(kDestroyHistory);
        for (DestroyRecord& record : destroyHistory)
            record.file.reserve(kFileRoom);
    }
    DestroyRecord& oldest = destroyHistory[destroyHistoryNext];
    oldest.objectId = id;
    oldest.file.assign(file);
    oldest.line = line;
    destroyHistoryNext = (destroyHistoryNext + 1) % kDestroyHistory;
}

std::vector<ObjectManager::DestroyRecord> ObjectManager::GetDestroyHistory() const
{
    CriticalSectionLock guard(lock);
    // From the oldest slot on; a slot never written holds no id, which no object has.
    std::vector<DestroyRecord> history;
    for (size_t i = 0; i < destroyHistory.size(); ++i) {
        const DestroyRecord& record = destroyHistory[(destroyHistoryNext + i) % kDestroyHistory];
        if (record.objectId != 0)
            history.push_back(record);
    }
    return history;
}

void ObjectManager::ProcessDestroyedObjects()
{
    // One at a time: a destructor may destroy further objects, which join the queue, and one
    // already queued must not be queued twice.
    // A destructor that runs a frame itself must not start a second pass over the queue.
    if (processing)
        return;
    processing = true;
    while (true) {
        {
            CriticalSectionLock guard(lock);
            if (pendingNext == pendingDeletes.size()) {
                pendingDeletes.clear();
                pendingNext = 0;
                processing = false;
                deletedThisPass.clear();
                return;
            }
            deleting = pendingDeletes[pendingNext++];
            pendingSet.erase(deleting);
        }
        delete deleting;
        CriticalSectionLock guard(lock);
        deletedThisPass.insert(deleting);
        deleting = nullptr;
    }
}

void ObjectManager::AbandonAllObjects()
{
    // Never freed, so that what it holds is not taken for a leak.
    static auto* const abandoned = new std::vector<Object*>();
    CriticalSectionLock guard(lock);
    objects.ForEach([](uint32_t, Object* object) { abandoned->push_back(object); });
    objects.Clear();
}

void ObjectManager::DestroyAllObjects()
{
    {
        CriticalSectionLock guard(lock);
        objects.ForEach([this](uint32_t, Object* object) {
            if (pendingSet.insert(object).second)
                pendingDeletes.push_back(object);
        });
        objects.Clear();
    }
    ProcessDestroyedObjects();
    CriticalSectionLock guard(lock);
    for (DestroyRecord& record : destroyHistory)
        record.objectId = 0;
    destroyHistoryNext = 0;
    nextId = 1;
}

} // namespace GAME
