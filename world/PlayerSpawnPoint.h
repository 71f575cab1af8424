#pragma once

#include "engine/ABBox.h"
#include "engine/Actor.h"

#include <cstdint>
#include <string>

namespace GAME {

// Markers seen only in the editor; in the game they are invisible places that others look up.
// Not a class of its own: each marker's class record hangs straight under `Actor`.
class EditorMarker : public Actor {
public:
    void InitialUpdate() override;
    bool CanCollide() const { return false; }
};

// Where players enter a level.
class PlayerSpawnPoint : public EditorMarker {
    GAME_DECLARE_CLASS(PlayerSpawnPoint)

public:
    PlayerSpawnPoint() = default;
    ~PlayerSpawnPoint() override;

    bool IsStatic() const override { return false; }
    bool OccludesPathing() const override { return false; }
    bool ShouldServerSpawn() const override { return false; }
};

// Where the hall of fame is seen from.
class HallOfFameCamera : public EditorMarker {
    GAME_DECLARE_CLASS(HallOfFameCamera)

public:
    HallOfFameCamera() = default;
    ~HallOfFameCamera() override;

    bool ShouldServerSpawn() const override { return true; }
};

// Where a hero of the hall of fame stands.
class HallOfFameStand : public EditorMarker {
    GAME_DECLARE_CLASS(HallOfFameStand)

public:
    HallOfFameStand() = default;
    ~HallOfFameStand() override;

    bool ShouldServerSpawn() const override { return true; }
};

// A place a script refers to by character and step.
class ScriptPoint : public Actor {
    GAME_DECLARE_CLASS(ScriptPoint)

public:
    ScriptPoint() = default;
    ~ScriptPoint() override;

    // "scriptCharacter", "sequenceNum".
    void Load(const LoadTable& table) override;
    bool CanCollide() const { return false; }
    // A zero-sized box at the identity coordinates.
    OBBox GetCollisionBox(int32_t /*index*/) const override { return OBBox(); }
    // Half-extents of the actor's radius around the origin.
    ABBox GetObjectSpaceBoundingBox() const;
    // The first update announces the point ("GameEvent_ScriptPoint"), so that the characters
    // loaded with the level hear of it.
    void UpdateSelf(int32_t elapsedMs) override;

    const std::string& GetScriptCharacter() const { return scriptCharacter; }
    int32_t GetSequenceNum() const { return sequenceNum; }

private:
    std::string scriptCharacter;
    int32_t sequenceNum = 0;
    bool announced = false;
};

} // namespace GAME
