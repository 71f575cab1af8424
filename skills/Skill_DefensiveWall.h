#pragma once

#include "skills/SkillActivatedSpell.h"

#include <cstdint>
#include <vector>

namespace GAME {

// Raises rings of walls round its caster; they take the caster's side and stand for a time or
// until the next cast. The controlling machine places them and every machine makes the same.
class Skill_DefensiveWall : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(Skill_DefensiveWall)

public:
    // Bounds on what a record (or a peer) can ask for.
    static constexpr uint32_t kMaxPerRing = 360;
    static constexpr uint32_t kMaxRings = 32;

    Skill_DefensiveWall();
    ~Skill_DefensiveWall() override;

    void Update(Character& owner, int32_t elapsedMs) override;
    void SkillSpawnObject(Character& owner, const WorldCoords& origin, uint32_t targetId,
                          const std::vector<WorldCoords>& coords, const std::vector<uint32_t>& ids,
                          uint32_t seed) override;
    void StopSkill(Character& owner) override;
    void PreLoadResources() override;
    void ActivateNow(Character& owner, const Name& callback, uint32_t targetId,
                     const WorldVec3& point) override;

    // ---- slots added after the base's, in order ----
    virtual void SpawnWall(Character& caster, const WorldCoords& where, uint32_t id, uint32_t seed);
    virtual void ReleaseWalls(Character& caster);

    const std::vector<uint32_t>& GetWalls() const { return walls; }

protected:
    // Walls a ring and rings a cast at the current level; 0 walls for a spacing that places none.
    uint32_t GetWallsPerRing();
    uint32_t GetRings() const;

private:
    // The free places of one cast round `centre`, each with a fresh id.
    void PlaceRings(const WorldCoords& centre, std::vector<WorldCoords>& coords,
                    std::vector<uint32_t>& ids);

    std::vector<uint32_t> walls;
    int32_t wallTimeLeft = 0;
    bool wallsTimed = false;
    bool releaseSent = false;
    bool spacingLogged = false;
};

} // namespace GAME
