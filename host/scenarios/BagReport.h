#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

struct HostOptions;
class Player;
class PlayerInventoryCtrl;

// `gamehost --scenario bag`: in single player a chieftain's drops (health and mana potions,
// gold piles, a sack item, a dye) fall round him with the scatter of their seeds, drawn from
// `--seed`, and the hero picks each up: into a sack cell, onto a potion stack, or used at once.
// Each sack is printed as a grid. Then, wounded, the hero drinks by need and is refused while
// the potion cools; last the bag's save block is read into a fresh hero and printed again.
class BagReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kChieftain = "Records/Creatures/Monster/Arena/PackChieftain.dbr";
    static constexpr const char* kHealth = "Records/Items/Potions/HealthPotion.dbr";
    static constexpr const char* kMana = "Records/Items/Potions/ManaPotion.dbr";
    static constexpr const char* kGoldSmall = "Records/Items/Gold/GoldPileSmall.dbr";
    static constexpr const char* kGoldLarge = "Records/Items/Gold/GoldPileLarge.dbr";
    static constexpr const char* kSack = "Records/Items/Misc/Sack.dbr";
    static constexpr const char* kDye = "Records/Items/Misc/RedDye.dbr";

    BagReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    BagReport(const BagReport&) = delete;
    BagReport& operator=(const BagReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make what it should.
    bool Run();

private:
    bool Play();
    Player* StageHero(float x);
    bool DropAndPickUp(Player& hero);
    void PickUp(Player& hero, uint32_t itemId, const std::string& record);
    void Drink(Player& hero);
    // Each sack as rows of cells: '.' free, a letter per item kind; then the potion stacks.
    std::string Describe(PlayerInventoryCtrl& bag) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
