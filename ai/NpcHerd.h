#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Character;
class WorldVec3;

// A named group of animals, in joining order, with at most one herder trailing behind.
class NpcHerd {
public:
    NpcHerd() = default;
    explicit NpcHerd(const std::string& name) : name(name) {}

    const std::string& GetName() const { return name; }
    const std::vector<uint32_t>& GetMembers() const { return members; }
    uint32_t GetHerderId() const { return herderId; }

    // Animals after the first follow the herd, so they take the herd-animal controller.
    void AddMember(uint32_t id);
    // Nothing for an id that names no townsperson.
    void SetHerder(uint32_t id);

    // Where the character should walk to keep up: the herder trails the last animal, each
    // animal after the first the one before it. False when it is close enough or has no one to
    // follow. Members are looked up by id each time, so a gone one is simply not followed.
    bool CheckHerdPositioning(uint32_t id, WorldVec3& position) const;
    // A partner spot beside the leader, once the follower is farther from it than the limit
    // (a squared distance).
    static bool GetPositionNear(const Character& follower, const Character& leader, float limit,
                                WorldVec3& position);
    static constexpr float kPositionLimit = 4.0f;

private:
    std::string name;
    std::vector<uint32_t> members;
    uint32_t herderId = 0;
};

} // namespace GAME
