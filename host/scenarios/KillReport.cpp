#include "host/scenarios/KillReport.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "combat/CombatManager.h"
#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventHandlerInterface.h"
#include "engine/EventManager.h"
#include "engine/GameEvent.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/InfoTranscript.h"
#include "items/EquipManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

// The sample monster, with its starting equipment rolled on the host's word rather than when
// it loads.
class LootedMonster final : public Monster {
public:
    using Character::LoadLootFromSeed;
    bool ShouldLoadLoot() const override { return false; }
};

// Prints each event heard under its name, with the object the host knows it to be about.
class EventEcho final : public EventHandlerInterface {
public:
    EventEcho(const char* name, std::ostream& out, uint32_t subject)
        : name(name), out(out), subject(subject)
    {
        EventManager::Instance().Register(name, this);
    }
    ~EventEcho() override { EventManager::Instance().Unregister(name, this); }
    EventEcho(const EventEcho&) = delete;
    EventEcho& operator=(const EventEcho&) = delete;

    void HandleEvent(const GameEvent& /*event*/) override
    {
        out << "  event: " << name << " (object " << subject << ")\n";
    }
    void SendEvent(const GameEvent* event) override
    {
        if (event != nullptr)
            EventManager::Instance().Send(name, *event);
    }
    const char* GetOwnerTypeName() const override { return "KillReport"; }

private:
    const char* name;
    std::ostream& out;
    uint32_t subject;
};

void ShowLevel(const char* when, const Character& player, std::ostream& out)
{
    out << "  player " << when << ": level " << player.GetCharLevel() << ", experience "
        << player.GetExperiencePoints() << '\n';
}

} // namespace

KillReport::KillReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool KillReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); });
}

bool KillReport::Play()
{
    out << "scenario kill as single player, seed " << options.seed << ":\n";
    Player* player = HostSamples::Make<Player>(kPlayer, err);
    Monster* pet = HostSamples::Make<Monster>(kHelper, err);
    Monster* stranger = HostSamples::Make<Monster>(kHelper, err);
    LootedMonster* victim = HostSamples::Make<LootedMonster>(kVictim, err);
    const bool made =
        player != nullptr && pet != nullptr && stranger != nullptr && victim != nullptr;
    GameEngine& game = GameEngine::Get();
    std::vector<uint32_t> items;
    if (made) {
        const uint32_t playerId = player->GetObjectId();
        const uint32_t victimId = victim->GetObjectId();
        pet->SetLeader(playerId);
        // The player does not describe himself to the server yet: the host enters him.
        game.GetPlayerManagerClient()->SetMainPlayer(playerId);
        PlayerNetBasicInfo record;
        record.playerId = playerId;
        if (PlayerManagerServer* server = game.GetPlayerManagerServer())
            server->HandleNewPlayer(record);
        out << "  player " << playerId << ", pet " << pet->GetObjectId() << ", stranger "
            << stranger->GetObjectId() << "\n  monster " << victimId << ": " << kVictim
            << ", level " << victim->GetCharLevel() << ", experience "
            << victim->GetExperiencePoints() << ", reward " << victim->GetExperienceReward()
            << '\n';

        const auto seed = static_cast<uint16_t>(options.seed);
        victim->LoadLootFromSeed(seed, static_cast<uint16_t>(player->GetCharLevel()));
        victim->GetCombatManager().GetEquipManager().GetAllAttachedItems(items);
        out << "  monster's equipment for loot seed " << seed << ": " << items.size() << " items\n";
        for (uint32_t id : items) {
            const Object* item = ObjectManager::Instance().GetObject<Object>(id);
            out << "    " << id << ' ' << (item != nullptr ? ShownName(item->GetObjectName()) : "?")
                << '\n';
        }

        game.RegisterDamage(victimId, playerId, kPlayerDamage);
        game.RegisterDamage(victimId, pet->GetObjectId(), kPetDamage);
        game.RegisterDamage(victimId, stranger->GetObjectId(), kStrangerDamage);
        const float total = game.GetTotalDamageDone(victimId);
        out << "  damage: total " << HostSamples::OneDecimal(total) << "; player (with pet) "
            << HostSamples::OneDecimal(game.GetDamageByAttacker(playerId, victimId)) << ", share "
            << game.GetPlayerDamagePercent(playerId, victimId) << "; stranger "
            << HostSamples::OneDecimal(game.GetDamageByAttacker(stranger->GetObjectId(), victimId))
            << ", share " << game.GetPlayerDamagePercent(stranger->GetObjectId(), victimId) << '\n';

        ShowLevel("before", *player, out);
        const uint32_t experienceBefore = player->GetExperiencePoints();
        const uint32_t moneyBefore = player->GetCurrentMoney();
        {
            EventEcho levelUps("GameEvent_PlayerLevelUp", out, playerId);
            GameEvent_CreatureDeath death;
            death.name = victim->GetObjectName();
            death.victimId = victimId;
            death.killerId = pet->GetObjectId();
            out << "  death: GameEvent_CreatureDeath victim " << death.victimId << " killer "
                << death.killerId << " (the pet; its master earns)\n";
            EventManager::Instance().Send("GameEvent_CreatureDeath", death);
        }
        out << "  bonus: experience " << player->GetExperiencePoints() - experienceBefore
            << ", gold " << player->GetCurrentMoney() - moneyBefore << '\n';
        ShowLevel("after", *player, out);
        out << "  damage entry left: " << (game.GetTotalDamageDone(victimId) > 0.0f ? "yes" : "no")
            << "\n  play stats:\n";
        InfoTranscript transcript(out);
        player->GetPlayStats().Dump();
    }
    HostSamples::Destroy(victim);
    // The rolled items do not go with their wearer.
    for (uint32_t id : items)
        HostSamples::Destroy(ObjectManager::Instance().GetObject<Object>(id));
    HostSamples::Destroy(stranger);
    HostSamples::Destroy(pet);
    HostSamples::Destroy(player);
    return made;
}

} // namespace GAME
