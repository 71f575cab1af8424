#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace GAME {

class Character;
class ProjectileBase;
struct HostOptions;

// `gamehost --scenario range`: the hero shoots an arrow through two raiders, a fireball with an
// explosion, a terrain follower, a lob that bursts into fragments, a grenade that bounces to
// rest, a three-second cloud that pulses on the raiders, and drops a stone; two trees sway, a
// ring expands and a puppet starts, idles and is released. Each frame prints, "frame N: " first,
// where every projectile is, its hits, collisions, fragments and end, the puppet's state changes
// and the animations the trees pick. One seed, one transcript.
class RangeReport {
public:
    RangeReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    RangeReport(const RangeReport&) = delete;
    RangeReport& operator=(const RangeReport&) = delete;

    // 0 when played; 2, with one line on `err`, when a sample record fails.
    int Run();

private:
    struct Tracked {
        uint32_t id = 0;
        std::string label;
    };

    bool Play();
    void Launch(int32_t frame);
    ProjectileBase* Shoot(const char* record, const std::string& targetName, float x, float y,
                          float z, float explosion = 0.0f, const char* fragments = nullptr);
    void PrintFrame(int32_t frame);
    void PrintProjectiles(int32_t frame);
    void PrintScenery(int32_t frame);
    std::string Label(uint32_t id) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    Character* hero = nullptr;
    std::map<std::string, Character*> raiders;
    std::vector<Tracked> flying;
    std::vector<std::string> hits;
    size_t contactsSeen = 0;
    uint32_t puppetId = 0;
    uint32_t lastPuppetState = 0;
    std::vector<uint32_t> trees;
    std::map<uint32_t, std::string> treeAnimations;
};

} // namespace GAME
