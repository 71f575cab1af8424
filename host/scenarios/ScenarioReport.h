#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
struct HostOptions;

// `gamehost --scenario actions`: a player and two monsters on a flat region, each with its
// controller, take scripted move, attack and kill orders through `HandleAction`. Every frame in
// which something changed prints the orders given, each character's position and state texts,
// and, as a server, the packets the orders were broadcast as.
class ScenarioReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kWarrior =
        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    static constexpr const char* kShaman =
        "Records/Creatures/Monster/Jackalman/JackalmanShaman.dbr";
    // Everyone obeys the script alone: a thinking monster controller would replace the orders
    // with its own.
    static constexpr const char* kPuppetController =
        "Records/Controllers/Player/CharacterControllerStub.dbr";
    static constexpr int32_t kFrameMs = 100;
    // A position alone is printed this often while a character runs, and when it comes to rest.
    static constexpr int32_t kPositionMs = 500;
    // Once the last order is given the scene runs until nothing has changed for this long, but
    // never past the limit: a character that never settles is reported, not waited for.
    static constexpr int32_t kQuietMs = 1000;
    static constexpr int32_t kMaxMs = 20000;

    ScenarioReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    ScenarioReport(const ScenarioReport&) = delete;
    ScenarioReport& operator=(const ScenarioReport&) = delete;

    // False, with one line on `err`, when the library does not start, a sample record does not
    // make its character or controller, or the scene does not settle. The library is shut down
    // and the network mode put back either way.
    bool Run();

private:
    // What was last printed of a character, and where it stood the frame before.
    struct Cast {
        const char* name;
        uint32_t id;
        std::string printedPosition;
        std::string printedState;
        std::string lastPosition;
        bool gone;
    };

    bool Play();
    bool Stage();
    Character* Enter(const char* name, const char* record, const char* controllerRecord, float x,
                     float z);
    void GiveOrders(int32_t ms);
    bool Look(int32_t ms);
    void ReportPackets();
    Character* Find(const char* name) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    bool server;
    std::vector<Cast> cast;
};

} // namespace GAME
