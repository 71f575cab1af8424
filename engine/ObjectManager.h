#pragma once

#include "engine/CriticalSection.h"
#include "engine/Database.h"
#include "engine/Object.h"
#include "engine/ObjectIdMap.h"
#include "engine/Platform.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace GAME {

// Owns every game object under a 32-bit object id. Objects are made by class name or from a
// record, looked up by id (typed look-ups answer null for another class), and destroyed with
// the source place of the request: the id stops resolving at once and the object itself is
// deleted at the end of the frame, so an object may ask for its own destruction mid-update.
//
// Objects are made and destroyed on the game thread, the one that made the manager. The lock
// keeps the table whole for look-ups from other threads (a host's interface reading the player
// list); the game thread's own look-ups cannot meet a change half made, so they skip it.
class ObjectManager {
public:
    struct DestroyRecord {
        uint32_t objectId;
        std::string file;
        int line;
    };
    static constexpr size_t kDestroyHistory = 256;

    // Asked hundreds of times a frame: after the first call, one load and no guard.
    static ObjectManager& Instance()
    {
        ObjectManager* made = instance.load(std::memory_order_acquire);
        return made != nullptr ? *made : MakeInstance();
    }

    ObjectManager();
    ~ObjectManager();
    ObjectManager(const ObjectManager&) = delete;
    ObjectManager& operator=(const ObjectManager&) = delete;

    // Ids made here carry this index (0 to 15) in their top four bits.
    void SetHostIndex(uint32_t index);
    uint32_t GetHostIndex() const { return hostIndex; }
    // A fresh id, never 0 and never one in use.
    uint32_t CreateObjectID();

    // Judges what a peer's message makes here: asked before each entity made at its word (made
    // while one is carried out, Engine::PeerWord, and not as part of another object), told of
    // each one made. What those entities make of their own is theirs.
    class Warden {
    public:
        virtual ~Warden() = default;
        virtual bool MayMake(uint32_t id, const std::string& record) = 0;
        virtual void Made(uint32_t id) = 0;
    };
    void SetWarden(Warden* value) { warden = value; }

    // Creates by class name and registers under `id` (0 takes a fresh one). Null for an unknown
    // class, for one the warden refuses, and (logged) for an id already in use.
    Object* CreateObject(const char* className, uint32_t id = 0);
    // Loads the record, creates the object its "Class" names, registers it, names it after the
    // record and calls its `Load` when `load` is set. Null when any step fails.
    Object* CreateObjectFromFile(const std::string& recordPath, uint32_t id = 0, bool load = true);
    template <typename T>
    T* CreateObjectFromFile(const std::string& recordPath, uint32_t id = 0, bool load = true);
    // Calls the object's `Load` with its record. While it runs, the record cannot make another
    // object: a record that names itself, or a ring of records naming each other, is refused in
    // one line rather than loaded until the stack runs out; so is a chain too deep to be meant.
    void LoadObject(Object& object, const LoadTable& table);
    static constexpr size_t kMaxRecordDepth = 64;

    // Registers an object made elsewhere; false (logged) when the id is taken.
    bool RegisterObject(Object* object, uint32_t id = 0);

    Object* GetObject(uint32_t id) const
    {
        if (Platform::GetCurrentThreadId() == gameThread)
            return objects.Find(id);
        return GetObjectLocked(id);
    }
    template <typename T> T* GetObject(uint32_t id) const;
    size_t GetObjectCount() const;
    // The ids of every registered object, in no particular order.
    std::vector<uint32_t> GetObjectIds() const;

    void DestroyObjectEx(Object* object, const char* file, int line);
    // Deletes what was destroyed during the frame (and what those deletions destroy).
    void ProcessDestroyedObjects();
    // The most recent destructions, oldest first.
    std::vector<DestroyRecord> GetDestroyHistory() const;
    // Deletes every object at once; for shut-down and tests.
    void DestroyAllObjects();
    // Lets go of every object without deleting it, for a program about to end: deleting a world
    // at the limit one object at a time takes seconds. They stay reachable until the exit.
    void AbandonAllObjects();

    Database& GetDatabase() { return database; }
    bool LoadTableFile(const std::string& recordPath) { return database.LoadTableFile(recordPath); }
    const LoadTable& GetLoadTable(const std::string& recordPath)
    {
        return database.GetLoadTable(recordPath);
    }

private:
    static ObjectManager& MakeInstance();
    Object* Make(const char* className, uint32_t id, const std::string& record, bool& refused);
    // An entity made at a peer's word, for the warden to judge.
    bool Watched(const char* className, uint32_t id) const;
    Object* GetObjectLocked(uint32_t id) const;
    bool Register(Object* object, uint32_t id);
    void RecordDestruction(uint32_t id, const char* file, int line);
    // CreateObjectFromFile, also answering the record it was made from.
    Object* CreateFromRecord(const std::string& recordPath, uint32_t id, bool load,
                             const LoadTable*& table);
    // Logs, once within the outermost loading, why the record makes nothing now.
    void RefuseRecord(const std::string& recordPath, const LoadTable& table);

    // Set once the manager exists. A caller that cannot see it (another module's copy) simply
    // takes the slower way to the same manager.
    static std::atomic<ObjectManager*> instance;

    mutable CriticalSection lock;
    const uint32_t gameThread;
    ObjectIdMap objects;
    // A queue taken from `pendingNext` on, emptied when it runs out: its room stays for the next
    // frame's destructions, where a deque would give back and take again a block now and then.
    std::vector<Object*> pendingDeletes;
    size_t pendingNext = 0;
    std::unordered_set<Object*> pendingSet;
    Object* deleting = nullptr;
    // Deleted by the running pass: an owner destroyed later in the same pass (shut-down takes
    // everything at once) may still name them and must not touch them again.
    std::unordered_set<const Object*> deletedThisPass;
    bool processing = false;
    // A ring of the last destructions, filled in order and then overwritten from the oldest;
    // each slot keeps the room of its text, so a long run of destructions soon allocates nothing.
    std::vector<DestroyRecord> destroyHistory;
    size_t destroyHistoryNext = 0;
    uint32_t hostIndex = 0;
    uint32_t nextId = 1;
    // The records whose objects are loading now, outermost first; a cached record is one table
    // however its path is spelt.
    std::vector<const LoadTable*> recordsLoading;
    // The records refused so within the outermost loading: a record that names itself under
    // many keys is told once.
    std::vector<const LoadTable*> recordsRefused;
    Warden* warden = nullptr;
    // Objects being made or loaded now: what they make is part of them.
    uint32_t making = 0;
    Database database;
};

template <typename T> T* ObjectManager::GetObject(uint32_t id) const
{
    return DynamicCast<T>(GetObject(id));
}

template <typename T>
T* ObjectManager::CreateObjectFromFile(const std::string& recordPath, uint32_t id, bool load)
{
    // Typed before it loads: an object of another class would read a record meant for something
    // else, and one whose loading names the same record again would never finish.
    const LoadTable* table = nullptr;
    Object* object = CreateFromRecord(recordPath, id, false, table);
    if (object == nullptr)
        return nullptr;
    T* typed = DynamicCast<T>(object);
    if (typed == nullptr) {
        DestroyObjectEx(object, "Engine/ObjectManager", 25);
        return nullptr;
    }
    if (load)
        LoadObject(*typed, *table);
    return typed;
}

} // namespace GAME
