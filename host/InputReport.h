#pragma once

#include "host/HeroMouse.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class ControllerPlayer;
class GraphicsAnim;
class Player;
struct HostOptions;

// `gamehost --input FILE`: the host has no mouse, so a script of orders stands in for it. The
// hero, the village elder and a jackalman raider stand on a flat region; each frame the orders
// of that frame go to the hero's controller and hot slots, then the frame runs and one line
// shows the hero's position, state, action, his target's life and the armed slot.
class InputReport {
public:
    // What a scenario played on this scene adds to it: it starts before the scene is staged,
    // sees the staged scene, and follows each frame after it ran.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void BeforeStage() = 0;
        // False stops the play.
        virtual bool AfterStage(const ScriptCast& roster) = 0;
        virtual void AfterFrame(int32_t frame) = 0;
        virtual void BeforeClear() = 0;
    };

    static constexpr const char* kPlayer = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kNpc = "Records/Creatures/Npc/Townsfolk/VillageElder.dbr";
    static constexpr const char* kRaider =
        "Records/Creatures/Monster/Jackalman/JackalmanRaider.dbr";
    // The hero learns the brawler's skills; the haymaker goes to bar slot 0 for the script to
    // fire.
    static constexpr const char* kBarSkillTree = "Records/Skills/Brawling/BrawlingTree.dbr";
    static constexpr uint32_t kBarSkillTreeSize = 1;
    static constexpr const char* kBarSkill = "Records/Skills/Brawling/Haymaker.dbr";
    // The sample animations are stand-ins that carry no events; the hero's bare-handed punch
    // gets its blow halfway through, where the recorded swing lands.
    static constexpr const char* kPunchAnimation = "Creatures/PC/Male/Animations/Unarmed_Punch.anm";
    static constexpr const char* kPunchHitEvent = "RightHandHit";
    static constexpr float kPunchHitMs = 500.0f;
    // After the last order the scene runs this many frames more (or `--frames`, if longer).
    static constexpr int32_t kTrailingFrames = 30;

    // The script is `scriptFile`, or `--input`'s when it is empty.
    InputReport(const HostOptions& options, std::ostream& out, std::ostream& err,
                Observer* observer = nullptr, std::string scriptFile = "");
    InputReport(const InputReport&) = delete;
    InputReport& operator=(const InputReport&) = delete;

    // The names an order may give with "@NAME".
    static std::vector<std::string> Names();

    // 0 when played; 2, with one line on `err`, when the script cannot be used (nothing is run
    // then), the library does not start or a sample record does not make its character.
    int Run();

private:
    bool Play(const std::vector<ScriptOrder>& orders);
    bool Stage();
    Character* Enter(const std::string& name, const char* record, float x, float z);
    void Give(const ScriptOrder& order);
    void Frame(int32_t frame);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    Observer* observer;
    std::string scriptFile;
    HeroMouse mouse;
    ScriptCast roster;
};

} // namespace GAME
