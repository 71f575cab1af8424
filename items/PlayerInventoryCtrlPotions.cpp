#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "items/OneShot_Potion.h"
#include "items/OneShot_PotionHealth.h"
#include "items/PlayerHotSlotCtrl.h"
#include "items/PlayerInventoryCtrl.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace GAME {

namespace {

// Figures from characters are floats; anything a 32-bit count cannot hold is clamped.
int32_t TruncToInt(double value)
{
    if (std::isnan(value))
        return 0;
    const double whole = std::trunc(value);
    if (whole >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (whole <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(whole);
}

int32_t KindOf(bool isHealth)
{
    return isHealth ? PlayerInventoryCtrl::kHealth : PlayerInventoryCtrl::kMana;
}

} // namespace

std::string PlayerInventoryCtrl::NormalizePotionName(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        c = c == '/' ? '\\' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

PlayerInventoryCtrl::PotionEntry PlayerInventoryCtrl::MakeEntry(const OneShot_Potion& potion)
{
    PotionEntry entry;
    entry.buttonUpBitmapName = potion.GetButtonUpBitmapName();
    entry.buttonDownBitmapName = potion.GetButtonDownBitmapName();
    entry.text = potion.GetGameDescription(false);
    entry.bonus = potion.GetBonus();
    entry.isHealth = DynamicCast<OneShot_PotionHealth>(&potion) != nullptr;
    return entry;
}

bool PlayerInventoryCtrl::AddToOneShotMap(const std::string& name, OneShot_Potion* potion)
{
    if (auto* player = DynamicCast<Player>(GetCarrier()))
        player->GetPlayerHotSlotCtrl().SetDefaultPotionHotSlots(name.c_str(), potion);
    const auto found = potionMap.find(name);
    if (found != potionMap.end()) {
        found->second.stacks.emplace_back(potion->GetObjectId());
        return false;
    }
    PotionEntry entry = MakeEntry(*potion);
    entry.stacks.emplace_back(potion->GetObjectId());
    potionMap.emplace(name, std::move(entry));
    return true;
}

bool PlayerInventoryCtrl::AssurePotionMap(const std::string& name)
{
    const std::string key = NormalizePotionName(name);
    if (potionMap.count(key) != 0)
        return true;
    ObjectManager& objects = ObjectManager::Instance();
    auto* potion = objects.CreateObjectFromFile<OneShot_Potion>(name);
    if (potion == nullptr)
        return false;
    potionMap.emplace(key, MakeEntry(*potion));
    objects.DestroyObjectEx(potion, "Project\\Game\\PlayerInventoryCtrl", 840);
    return true;
}

const PlayerInventoryCtrl::PotionEntry*
PlayerInventoryCtrl::FindEntry(const std::string& name) const
{
    const auto found = potionMap.find(NormalizePotionName(name));
    return found == potionMap.end() ? nullptr : &found->second;
}

uint32_t PlayerInventoryCtrl::TotalPotions(const PotionEntry& entry) const
{
    uint32_t total = 0;
    for (const PotionStack& stack : entry.stacks)
        total += stack.GetTotalPotions();
    return total;
}

// ---- drinking ----

bool PlayerInventoryCtrl::UsePotionOfType(const std::string& name)
{
    const auto found = potionMap.find(NormalizePotionName(name));
    if (found == potionMap.end())
        return false;
    PotionEntry& entry = found->second;
    if (GetCurrentCooldown(KindOf(entry.isHealth)) > 0 || entry.stacks.empty())
        return false;
    auto stack = std::find_if(entry.stacks.begin(), entry.stacks.end(),
                              [](const PotionStack& s) { return !s.IsStackFull(); });
    if (stack == entry.stacks.end())
        stack = std::prev(entry.stacks.end());
    uint32_t id = stack->PopStack();
    if (id == 0) {
        id = stack->GetVisiblePotion();
        std::vector<uint32_t> none;
        RemoveItem(id, none);
    }
    const auto* potion = ObjectManager::Instance().GetObject<OneShot_Potion>(id);
    const int32_t delay = potion != nullptr ? potion->GetUseDelayTime() : 0;
    entry.currentCooldown = delay;
    entry.totalCooldown = delay;
    if (controller != nullptr)
        controller->UseItem(id, true);
    return true;
}

bool PlayerInventoryCtrl::UsePotionOfType(int32_t kind, float lowFraction, float highFraction)
{
    const Character* character = GetCarrier();
    if (character == nullptr || (kind != kHealth && kind != kMana))
        return false;
    const bool health = kind == kHealth;
    const int32_t current =
        TruncToInt(health ? character->GetCurrentLife() : character->GetCurrentMana());
    const int32_t limit =
        TruncToInt(health ? character->GetLifeLimit() : character->GetManaLimit());
    const int64_t deficit = static_cast<int64_t>(limit) - current;
    const int64_t low = TruncToInt(static_cast<double>(limit) * lowFraction - current);
    const int64_t high = TruncToInt(static_cast<double>(limit) * highFraction - current);

    // Weakest first; equal strengths keep the order of the names.
    std::vector<std::pair<int64_t, const std::string*>> candidates;
    for (const auto& [name, entry] : potionMap) {
        if (entry.isHealth != health || TotalPotions(entry) == 0)
            continue;
        candidates.emplace_back(
            TruncToInt(health ? entry.bonus.lifePoints : entry.bonus.manaPoints), &name);
    }
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const std::string* nearBelow = nullptr;
    const std::string* enough = nullptr;
    const std::string* below = nullptr;
    for (const auto& [strength, name] : candidates) {
        if (strength >= deficit && strength <= high)
            return UsePotionOfType(*name);
        if (nearBelow == nullptr && strength >= low && strength < deficit)
            nearBelow = name;
        if (enough == nullptr && strength >= deficit)
            enough = name;
        if (below == nullptr && strength < deficit)
            below = name;
    }
    const std::string* chosen = nearBelow != nullptr ? nearBelow
                                : enough != nullptr  ? enough
                                                     : below;
    return chosen != nullptr && UsePotionOfType(*chosen);
}

void PlayerInventoryCtrl::Update(int32_t elapsedMs)
{
    for (auto& [name, entry] : potionMap) {
        if (entry.currentCooldown <= 0)
            continue;
        entry.currentCooldown = static_cast<int32_t>(
            std::max<int64_t>(static_cast<int64_t>(entry.currentCooldown) - elapsedMs,
                              std::numeric_limits<int32_t>::min()));
        if (entry.currentCooldown < 1) {
            entry.currentCooldown = 0;
            entry.totalCooldown = 0;
        }
    }
}

// ---- queries ----

uint32_t PlayerInventoryCtrl::GetTotalPotions(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? 0 : TotalPotions(*entry);
}

int32_t PlayerInventoryCtrl::GetTotalCooldown(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? 0 : entry->totalCooldown;
}

int32_t PlayerInventoryCtrl::GetCurrentCooldown(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? 0 : entry->currentCooldown;
}

std::wstring PlayerInventoryCtrl::GetPotionText(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? std::wstring() : entry->text;
}

std::string PlayerInventoryCtrl::GetButtonUpBitmapName(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? std::string() : entry->buttonUpBitmapName;
}

std::string PlayerInventoryCtrl::GetButtonDownBitmapName(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry == nullptr ? std::string() : entry->buttonDownBitmapName;
}

bool PlayerInventoryCtrl::IsPotionHealth(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    return entry != nullptr && entry->isHealth;
}

float PlayerInventoryCtrl::GetTotalBonus(const std::string& name) const
{
    const PotionEntry* entry = FindEntry(name);
    if (entry == nullptr)
        return 0.0f;
    const Character* character = GetCarrier();
    return entry->bonus.GetTotal(character != nullptr ? character->GetPotentialLife() : 0.0f,
                                 character != nullptr ? character->GetPotentialMana() : 0.0f);
}

uint32_t PlayerInventoryCtrl::GetTotalPotions(int32_t kind) const
{
    uint32_t total = 0;
    for (const auto& [name, entry] : potionMap) {
        if (KindOf(entry.isHealth) == kind)
            total += TotalPotions(entry);
    }
    return total;
}

int32_t PlayerInventoryCtrl::GetTotalCooldown(int32_t kind) const
{
    for (const auto& [name, entry] : potionMap) {
        if (KindOf(entry.isHealth) == kind && entry.totalCooldown != 0)
            return entry.totalCooldown;
    }
    return 0;
}

int32_t PlayerInventoryCtrl::GetCurrentCooldown(int32_t kind) const
{
    for (const auto& [name, entry] : potionMap) {
        if (KindOf(entry.isHealth) == kind && entry.currentCooldown != 0)
            return entry.currentCooldown;
    }
    return 0;
}

void PlayerInventoryCtrl::GetPotionNames(std::vector<std::string>& names) const
{
    for (const auto& entry : potionMap)
        names.push_back(entry.first);
}

} // namespace GAME
