#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Actor;
class ActorConfigCommand;
class FixedItem;
class GameEngineNetworkInterface;
class Player;

// The fixed items on the hero's way through the level: he uses each one as he comes within
// reach, and every decision, command, state change, drop and question is written as a
// "frame N: " line; afterwards each item's level state is saved, the item rebuilt from its
// record and restored.
class LevelFixedItems {
public:
    // Animations the level's records name, with the moments the chest and the door wait for.
    static void DescribeAnimations();

    LevelFixedItems(std::ostream& out, const int64_t& frame);
    ~LevelFixedItems();
    LevelFixedItems(const LevelFixedItems&) = delete;
    LevelFixedItems& operator=(const LevelFixedItems&) = delete;

    // Finds the level's fixed items and links the boat to its landing.
    void Begin();
    // After each frame: uses within reach, answers, state changes.
    void Step(Player& hero, int32_t elapsedMs);
    // Saves, rebuilds and restores every item.
    void Restore();

    // The record's file name without folder or extension, as a line shows it.
    static std::string ShortName(const std::string& record);
    // The item standing at the coordinates' position; null for none.
    FixedItem* FindAt(float x, float z) const;
    std::ostream& Out() const;

private:
    class LootPrinter;

    void Use(FixedItem& item, uint32_t user);
    void PrintCommand(const Actor& actor, const ActorConfigCommand& command);
    void PrintStates();
    void AnswerQuestions();

    std::ostream& out;
    const int64_t& frame;
    std::vector<uint32_t> items;
    std::map<uint32_t, int> states;
    std::map<uint32_t, bool> used;
    std::unique_ptr<LootPrinter> loot;
    GameEngineNetworkInterface* previousInterface = nullptr;
};

} // namespace GAME
