#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class NpcHerd;

// Every herd of the process, formed as the townsfolk of a level start.
class NpcHerdManager {
public:
    NpcHerdManager();
    ~NpcHerdManager();
    NpcHerdManager(const NpcHerdManager&) = delete;
    NpcHerdManager& operator=(const NpcHerdManager&) = delete;

    static NpcHerdManager& Get();

    // Names match exactly once every '/' and '\' is dropped from both.
    NpcHerd* FindHerd(const std::string& name) const;
    NpcHerd* CreateHerd(const std::string& name);
    void AddToHerd(const std::string& name, uint32_t objectId);
    void SetHerdHerder(const std::string& name, uint32_t objectId);
    // Forgets every herd: a world that goes takes its herds along, and ids of its members must
    // not name the characters of the next.
    void Clear();

private:
    NpcHerd& FindOrCreateHerd(const std::string& name);

    std::vector<std::unique_ptr<NpcHerd>> herds;
};

} // namespace GAME
