#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

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

private:
    std::string name;
    std::vector<uint32_t> members;
    uint32_t herderId = 0;
};

} // namespace GAME
