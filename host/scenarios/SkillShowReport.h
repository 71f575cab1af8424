#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace GAME {

struct HostOptions;
class Character;
class Skill;

// `gamehost --scenario skillshow`: the caster uses each edge skill in a short scene of its own
// (companions, remains, cooldowns, a thrown rock, dispels, walls, light, mirages, beams, bolts,
// pulses, pets, swaps) and every frame prints what changed: lives, places, walls, beams and
// bolts, the throw's stage. As a server the commands it sent are then replayed, scene by scene,
// into a client engine, and the lives and places of both machines are compared.
class SkillShowReport {
public:
    static constexpr const char* kCaster = "Records/Creatures/Show/Caster.dbr";
    static constexpr uint32_t kCasterId = 0x10000001;

    struct Scene {
        const char* name;
        const char* record;
        int32_t kind;
    };

    SkillShowReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    SkillShowReport(const SkillShowReport&) = delete;
    SkillShowReport& operator=(const SkillShowReport&) = delete;

    bool Run();

private:
    bool Play(bool server);
    bool Replay();
    // One scene on the deciding machine: staged, used, then its frames.
    void PlayScene(const Scene& scene);
    // Frames of the whole world; each one's changes printed when `shown`.
    void Frames(int count, bool shown);
    // The packets the scene sent, kept for the client.
    void Record(size_t scene);
    // What changed since the last look, one line each; the whole state when `all`.
    std::string Look(bool all);
    std::string State() const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    bool networked = false;
    std::vector<std::vector<std::vector<uint8_t>>> sent;
    std::map<std::string, std::string> seen;
    std::string serverState;
    std::string clientState;
    int frameNumber = 0;
};

} // namespace GAME
