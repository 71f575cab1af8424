#include "host/scenarios/BagReport.h"

#include "ai/ControllerPlayer.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "items/Item.h"
#include "items/OneShot_Potion.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/PlayerManagerClient.h"

#include <cmath>
#include <map>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr uint32_t kBagRegion = 1;

WorldCoords BagPlace(float x, float z)
{
    return WorldCoords(kBagRegion, Coords::FromTranslation(Vec3(x, 0.0f, z)));
}

PlayerInventoryCtrl* BagOf(Player& hero)
{
    ControllerPlayer* controller = hero.GetControllerPlayer();
    return controller != nullptr ? &controller->GetInventoryCtrl() : nullptr;
}

// The letter a kind shows in the grids.
char LetterOf(const std::string& record)
{
    if (record == BagReport::kHealth)
        return 'H';
    if (record == BagReport::kMana)
        return 'M';
    if (record == BagReport::kDye)
        return 'D';
    return '#';
}

// The stack counts of the potions of a record lying in the bag, by visible potion.
std::map<uint32_t, uint32_t> StackCounts(PlayerInventoryCtrl& bag, const std::string& record)
{
    std::map<uint32_t, uint32_t> counts;
    for (uint32_t sack = 0; sack < bag.GetNumberOfSacks(); ++sack) {
        for (const auto& entry : bag.GetInventoryInSack(static_cast<int32_t>(sack))) {
            auto* potion = ObjectManager::Instance().GetObject<OneShot_Potion>(entry.first);
            if (potion != nullptr && potion->GetObjectName() == record)
                counts[entry.first] = potion->GetNumberInStack();
        }
    }
    return counts;
}

} // namespace

BagReport::BagReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool BagReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); });
}

Player* BagReport::StageHero(float x)
{
    Player* hero = HostSamples::Make<Player>(kPlayer, err);
    if (hero == nullptr)
        return nullptr;
    HostSamples::EnterWorld(*hero, BagPlace(x, 0.0f));
    hero->SetIsControllingCharacter(true);
    if (BagOf(*hero) == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return nullptr;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    // One frame of the controller settles it in its first state, which takes item orders.
    hero->GetControllerPlayer()->Update(0);
    return hero;
}

bool BagReport::Play()
{
    out << "scenario bag as single player, seed " << options.seed << ":\n";
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kBagRegion, {0, 0, 0}, ABBox({-30, -10, -30}, {30, 10, 30}));
    Player* hero = StageHero(0.0f);
    bool played = hero != nullptr && DropAndPickUp(*hero);
    if (played) {
        out << Describe(*BagOf(*hero));
        Drink(*hero);
        IOStreamWrite save;
        BagOf(*hero)->StreamProperties(&save);
        const std::string before = Describe(*BagOf(*hero));
        out << "saved the bag: " << save.GetBytes().size() << " bytes\n";
        Player* fresh = StageHero(10.0f);
        played = fresh != nullptr;
        if (played) {
            IOStreamRead read(save.GetBytes());
            BagOf(*fresh)->StreamProperties(&read);
            const std::string after = Describe(*BagOf(*fresh));
            out << "read into a fresh session:\n" << after;
            out << "reloaded bag matches: " << (after == before ? "yes" : "no") << '\n';
        }
    }
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    return played;
}

bool BagReport::DropAndPickUp(Player& hero)
{
    Monster* chieftain = HostSamples::Make<Monster>(kChieftain, err);
    if (chieftain == nullptr)
        return false;
    const WorldCoords fallen = BagPlace(3.0f, 2.0f);
    gEngine->GetWorld()->AddEntity(chieftain, fallen, false);
    out << "the chieftain falls at " << HostSamples::PointText(Vec3(3.0f, 0.0f, 2.0f))
        << " and drops:\n";
    const char* drops[] = {kHealth, kHealth, kHealth, kGoldSmall, kHealth,   kMana, kHealth,
                           kHealth, kSack,   kHealth, kHealth,    kHealth,   kDye,  kGoldLarge,
                           kHealth, kHealth, kMana,   kHealth,    kGoldSmall};
    RandomUniform random;
    random.Seed(options.seed);
    ObjectManager& objects = ObjectManager::Instance();
    for (const char* record : drops) {
        ItemReplicaInfo info;
        info.id = objects.CreateObjectID();
        info.baseName = record;
        info.seed = static_cast<uint32_t>(random.IGenerate(1, 0x7FFFFFFF));
        // A pile's gold rides in var1, as the gold generator writes it.
        info.var1 = static_cast<uint32_t>(random.IGenerate(10, 99));
        GameEngine::Get().CreateItem(fallen, info);
        Item* item = objects.GetObject<Item>(info.id);
        if (item == nullptr) {
            err << "gamehost: record '" << record << "' does not make an item\n";
            return false;
        }
        out << "  drop " << record << " at "
            << HostSamples::PointText(item->GetCoords().GetRegionCoords().origin) << '\n';
        PickUp(hero, info.id, record);
    }
    return true;
}

void BagReport::PickUp(Player& hero, uint32_t itemId, const std::string& record)
{
    PlayerInventoryCtrl& bag = *BagOf(hero);
    const std::map<uint32_t, uint32_t> stacksBefore = StackCounts(bag, record);
    const uint32_t goldBefore = hero.GetCurrentMoney();
    const uint32_t sacksBefore = bag.GetNumberOfSacks();
    Item* item = ObjectManager::Instance().GetObject<Item>(itemId);
    gEngine->GetWorld()->RemoveEntity(item);
    hero.GiveItemToCharacter(item);
    ObjectManager::Instance().ProcessDestroyedObjects();
    out << "  pick up " << record << " -> ";
    if (!hero.GetInventory().IsItemInInventory(itemId)) {
        out << "used (";
        if (hero.GetCurrentMoney() != goldBefore)
            out << "gold " << goldBefore << " -> " << hero.GetCurrentMoney();
        else if (bag.GetNumberOfSacks() != sacksBefore)
            out << "sacks " << sacksBefore << " -> " << bag.GetNumberOfSacks();
        else
            out << "nothing to show";
        out << ")\n";
        return;
    }
    for (uint32_t sack = 0; sack < bag.GetNumberOfSacks(); ++sack) {
        const InventorySack& grid = *bag.GetSack(static_cast<int32_t>(sack));
        const auto found = grid.GetInventory().find(itemId);
        if (found == grid.GetInventory().end())
            continue;
        const Vec2 cell = grid.PixelsToGrid(Vec2(found->second.x, found->second.y));
        out << "sack " << sack << " at (" << std::floor(cell.x) << "," << std::floor(cell.y)
            << ")\n";
        return;
    }
    for (const auto& [visible, count] : StackCounts(bag, record)) {
        const auto before = stacksBefore.find(visible);
        if (before != stacksBefore.end() && before->second != count) {
            out << "stack of " << record << ": " << count + 1 << " potions\n";
            return;
        }
    }
    out << "held outside the sacks\n";
}

void BagReport::Drink(Player& hero)
{
    PlayerInventoryCtrl& bag = *BagOf(hero);
    CharacterBio& bio = hero.GetCharacterBio();
    bio.SubtractLife(hero.GetCurrentLife() - 40.0f);
    out << "wounded to life " << HostSamples::OneDecimal(hero.GetCurrentLife()) << " of "
        << HostSamples::OneDecimal(hero.GetLifeLimit()) << '\n';
    for (int attempt = 0; attempt < 2; ++attempt) {
        const uint32_t before[] = {bag.GetTotalPotions(kHealth), bag.GetTotalPotions(kMana)};
        const float life = hero.GetPotentialLife();
        if (!bag.UsePotionOfType(PlayerInventoryCtrl::kHealth, 0.8f, 1.2f)) {
            out << "drink refused: "
                << (bag.GetCurrentCooldown(PlayerInventoryCtrl::kHealth) > 0 ? "cooling down"
                                                                             : "no potion")
                << '\n';
            continue;
        }
        ObjectManager::Instance().ProcessDestroyedObjects();
        const char* drunk = bag.GetTotalPotions(kHealth) != before[0] ? kHealth
                            : bag.GetTotalPotions(kMana) != before[1] ? kMana
                                                                      : "a potion";
        out << "drink " << drunk << ": life " << HostSamples::OneDecimal(life) << " -> "
            << HostSamples::OneDecimal(hero.GetPotentialLife()) << '\n';
    }
}

std::string BagReport::Describe(PlayerInventoryCtrl& bag) const
{
    std::ostringstream text;
    const ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t index = 0; index < bag.GetNumberOfSacks(); ++index) {
        const InventorySack& sack = *bag.GetSack(static_cast<int32_t>(index));
        std::vector<std::string> rows(sack.GetHeight(), std::string(sack.GetWidth(), '.'));
        for (const auto& [id, rect] : sack.GetInventory()) {
            const Item* item = objects.GetObject<Item>(id);
            const char letter = item != nullptr ? LetterOf(item->GetObjectName()) : '?';
            for (uint32_t row = 0; row < sack.GetHeight(); ++row) {
                for (uint32_t column = 0; column < sack.GetWidth(); ++column) {
                    const Vec2 centre = sack.GridToPixels(
                        Vec2(static_cast<float>(column) + 0.5f, static_cast<float>(row) + 0.5f));
                    if (rect.Contains(centre))
                        rows[row][column] = letter;
                }
            }
        }
        text << "  sack " << index << " (" << sack.GetWidth() << "x" << sack.GetHeight() << "):\n";
        for (const std::string& row : rows)
            text << "    " << row << '\n';
    }
    for (const char* record : {kHealth, kMana}) {
        text << "  " << record << ": " << bag.GetTotalPotions(record) << " potions in";
        for (const auto& [visible, count] : StackCounts(bag, record))
            text << ' ' << count + 1;
        text << '\n';
    }
    return text.str();
}

} // namespace GAME
