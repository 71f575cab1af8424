#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Npc;
class Player;
class World;
struct HostOptions;

// `gamehost --scenario dialog`: the hero talks to the village elder ten times, the elder's lines
// rotating until he tires; the townsfolk quest then changes what the fisherman says, marks him,
// makes him a ferryman, and hides, shows and silences the elder; the elder and the fisherman play
// out a conversation of their pack line by line; last, the quest state is saved and restored
// into fresh townsfolk, and what the refired actions gave them is printed.
class DialogReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kElder = "Records/Creatures/Npc/Townsfolk/VillageElder.dbr";
    static constexpr const char* kFisherman = "Records/Creatures/Npc/Townsfolk/Fisherman.dbr";
    static constexpr const char* kQuestFile = "Quests/Showcase/Townsfolk.qst";
    static constexpr const char* kConversationPak =
        "Records/Conversations/Townsfolk/ElderAndFisherman.dbr";
    static constexpr const char* kGatherToken = "townsfolkGather";
    static constexpr int kTalks = 10;

    DialogReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    DialogReport(const DialogReport&) = delete;
    DialogReport& operator=(const DialogReport&) = delete;

    // 0 when played; 2, with one line on `err`, when a sample record or the quest fails.
    int Run();

private:
    // What the report prints of one NPC; a change of it is a line.
    struct Seen {
        std::string name;
        uint32_t id = 0;
        std::string dialog;
        std::string mark;
        bool visible = true;
        bool boatMaster = false;
    };

    bool Play();
    bool Stage();
    bool EnterHero();
    Npc* Enter(const std::string& name, const char* record, float x);
    void Frames(int32_t count);
    void TalkToTheElder();
    void FireQuest();
    void PlayConversation();
    bool SaveAndRestore();
    void PrintChanges();
    static std::string DialogOf(const Npc& npc);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    Player* hero = nullptr;
    Npc* elder = nullptr;
    Npc* fisherman = nullptr;
    std::vector<Seen> seen;
    std::string stateFolder;
};

} // namespace GAME
