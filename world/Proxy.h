#pragma once

#include "core/EquationInterface.h"
#include "core/PlayerInfo.h"
#include "engine/Actor.h"
#include "engine/CriticalSection.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class World;

class DesignerEquation_Algebra;
class ProxyAccessoryPool;
class ProxyPool;

// The record of that name, or an empty one for no name; what spawners read their files through.
const LoadTable& ProxyRecord(const std::string& name);

// An invisible actor standing for a group of monsters, and perhaps a chest, at its spot. On the
// machine that runs the game logic it chooses a spawn pool for the difficulty at load, lets the
// pools make their objects outside the world, and places them around itself at its first
// initial update; it runs at most once a level.
class Proxy : public Actor, public EquationInterface<float> {
    GAME_DECLARE_CLASS(Proxy)

public:
    // One candidate pool record and its weight.
    struct ProxySelection {
        std::string name;
        uint32_t weight = 0;
    };

    Proxy();
    ~Proxy() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    bool OccludesPathing() const override { return false; }
    bool CanCollide() const { return false; }
    void InitialUpdate() override;
    // The proxy stays on the logic machine; what it places travels by itself.
    bool ShouldServerSpawn() const override { return false; }
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;

    // Where the pools' objects go once their locations are chosen; an ambush keeps them back.
    virtual void PoolComplete(ProxyPool& pool, const std::vector<WorldCoords>& locations);
    virtual void AccessoryComplete(ProxyAccessoryPool& pool,
                                   const std::vector<WorldCoords>& locations);

    bool GetDesignerVariable(const char* name, float& value) override;

    // A quest switches the proxy off for good.
    void Disable() { hasRun = true; }
    bool HasRun() const { return hasRun; }
    // Replace the vector with the pool's unplaced objects; untouched without a pool.
    void GetPrimaryObjects(std::vector<uint32_t>& out) const;
    void GetAccessoryObjects(std::vector<uint32_t>& out) const;
    void GetPlacedObjects(std::vector<uint32_t>& out) const { out = placedObjects; }
    // An object the proxy has put into the world; its pools' placement and a scripted stage
    // both report here.
    void AddPlacedObject(uint32_t objectId) { placedObjects.push_back(objectId); }

    // Services for the pools.
    int32_t CalculateCharacterDifficulty(const LoadTable& monster, uint32_t difficulty) const;
    int32_t CalculateChampionDifficulty(uint32_t points) const;
    int32_t RunEquation(const std::string& text, int32_t current);

    const ProxyPool* GetPool() const { return pool.get(); }
    const ProxyAccessoryPool* GetAccessoryPool() const { return accessoryPool.get(); }
    // What a proxy's pools made as it loaded; 0 for any other entity. A level counts these
    // against its entity limit.
    static size_t CountPoolMembers(const Entity& entity);
    uint32_t GetAveragePlayerLevel() const { return averagePlayerLevel; }
    // The budget the pools were run with.
    int32_t GetProxyLevel() const { return proxyLevel; }

protected:
    void RunProxy();
    // The flag asks for a random rotation, which the proxy never wants.
    void SelectPoolLoctions(const std::vector<uint32_t>& ids, std::vector<WorldCoords>& out,
                            bool randomRotation);
    void PlaceObjects(std::vector<uint32_t>& ids, const std::vector<WorldCoords>& locations);
    // Adds a spawned object to the world and gives it its initial update there, as the level
    // gives its own: a monster without one is no one's target and never fights.
    static void PlaceInWorld(World& world, Entity& entity, const WorldCoords& location);
    void AddUniqueIdToEntity(Entity& entity) const;
    float GetPlacementExtents() const { return placementExtents; }

private:
    void LoadEquations(const std::string& record);
    void SetDesignerLimits();
    uint32_t ReadLimit(const std::string& text, const char* missingFormat,
                       const char* failureFormat);
    void InitializePools(const LoadTable& table);
    void LoadCandidates(const LoadTable& table, uint32_t difficulty,
                        std::vector<ProxySelection>& candidates) const;
    static void LoadPoolSelection(const LoadTable& table, const char* poolKey,
                                  const char* weightKey, std::vector<ProxySelection>& out);
    template <typename Pool> void MakePool(std::unique_ptr<Pool>& slot, const std::string& name);
    std::string ChoosePoolName(const std::vector<ProxySelection>& candidates);
    int32_t CalculateProxyLevel() const;
    static uint32_t SelectPool(const std::vector<ProxySelection>& candidates);
    static std::string GetPoolName(const std::vector<ProxySelection>& candidates, uint32_t index);

    bool hasRun = false;
    float chanceToRun = 0.0f;
    std::string limitsFile;
    std::unique_ptr<DesignerEquation_Algebra> difficultyEquation;
    PlayerInfo playerInfo;
    uint32_t averagePlayerLevel = 0;
    std::unique_ptr<DesignerEquation_Algebra> characterDifficultyEquation;
    // Variables of the equations that the const services evaluate.
    mutable uint32_t characterLevel = 0;
    mutable uint32_t entryDifficulty = 0;
    std::unique_ptr<DesignerEquation_Algebra> championDifficultyEquation;
    mutable uint32_t availableChampionDifficulty = 0;
    int32_t poolValue = 0;
    float placementExtents = 2.5f;
    std::unique_ptr<ProxyPool> pool;
    std::unique_ptr<ProxyAccessoryPool> accessoryPool;
    std::vector<WorldCoords> poolLocations;
    std::vector<WorldCoords> accessoryLocations;
    std::vector<uint32_t> placedObjects;
    int32_t proxyLevel = 0;
    CriticalSection lock;
};

} // namespace GAME
