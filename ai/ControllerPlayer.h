#pragma once

#include "ai/ControllerAI.h"
#include "engine/WorldVec3.h"
#include "items/PlayerInventoryCtrl.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <utility>

namespace GAME {

class ActorConfigCommand;
class Character;
class HotSlotOption;
class LoadTable;
class TriggerToken;

// The human player's controller: turns the host's mouse orders, hot-slot activations, pet
// orders and chats into requests to the executing player state, and runs death and respawn.
class ControllerPlayer : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerPlayer)

public:
    ControllerPlayer();
    ~ControllerPlayer() override = default;

    void Load(const LoadTable& table) override;
    // Hands the player to the bag and the equipment.
    void PostParentAttached() override;
    void Update(int32_t elapsedMs) override;

    // Input from the host. Each answers whether the order was taken as a move or an action.
    bool HandleActionFromMouse(bool primary, bool flagA, bool flagB, bool repeat,
                               const WorldVec3& point, uint32_t& target);
    bool SendSkillAction(Character& character, bool flagA, bool flagB, uint32_t skillId,
                         const WorldVec3& point, uint32_t& target);
    bool HandlePetAction(Character& player, bool flagA, bool flagB, const WorldVec3& point,
                         uint32_t& target);
    void ChatWithNPC(uint32_t npcId);
    void FaceTarget(uint32_t id);

    virtual bool UseItem(uint32_t itemId, bool flag);
    virtual bool ReleasePet(uint32_t petId);
    virtual bool UseRelic(uint32_t relicId, uint32_t targetId);
    void BeginStun() override;
    void EndStun() override;
    void BeginImmobilize() override;
    void EndImmobilize() override;
    void BeginTrap() override;
    void EndTrap() override;

    // Forgets the enemy, the clicked point and the held mouse order; back to "Idle".
    void ClearTarget();
    void SetMouseRepeat(uint32_t id, const WorldVec3& point);
    uint32_t GetRepeatTarget() const { return repeatTarget; }
    const WorldVec3& GetRepeatPoint() const { return repeatPoint; }
    bool IsCommandRepeated() const { return commandRepeated; }
    void SetCombatEnemy(uint32_t id) { combatEnemy = id; }
    uint32_t GetCombatEnemy() const { return combatEnemy; }
    void SetCombatAlly(uint32_t id) { combatAlly = id; }
    uint32_t GetCombatAlly() const { return combatAlly; }
    // A combat enemy or ally that died or vanished is no longer one: a kept id would steer every
    // later skill at the corpse and the clicks on the next foe would only walk.
    void ForgetFallenCombatants();
    void SetPet(uint32_t id) { pet = id; }
    uint32_t GetPet() const { return pet; }
    void SetTargetPoint(const WorldVec3& point) { targetPoint = point; }
    const WorldVec3& GetTargetPoint() const { return targetPoint; }

    PlayerInventoryCtrl& GetInventoryCtrl() { return inventoryCtrl; }
    // Equips the item where a slot is free, else puts it in a sack; false when neither took it.
    bool GiveItemToPlayer(uint32_t itemId);
    // The hot-slot controller's active option for the button; null without a player.
    HotSlotOption* GetPrimarySlotOption();
    HotSlotOption* GetSecondarySlotOption();
    // The states' way to have the character run and replicate a command.
    void SendCommand(std::unique_ptr<ActorConfigCommand> command) const;
    void BestowToken(const TriggerToken& token);
    void RemoveToken(const TriggerToken& token);

    // Mailboxes for the user interface; popping an empty one does nothing.
    void AddMailboxItem(uint32_t itemId) { mailboxItems.push_back(itemId); }
    uint32_t GetMailboxItem() const;
    void PopMailboxItem();
    void AddMailboxNpcChat(uint32_t npcId) { mailboxNpcChats.push_back(npcId); }
    uint32_t GetMailboxNpcChat() const;
    void PopMailboxNpcChat();
    // Kept only for a non-empty text shown for some time.
    void SetUserText(const std::string& text, int32_t timeMs);
    const std::string& GetMailboxUserText() const;
    int32_t GetMailboxUserTextTime() const;
    void PopUserText();

    // Death and respawn.
    void CharacterIsDying() override;
    void CharacterIsDead() override;
    bool NeedsDeathUpdate() const override { return true; }
    void DeathUpdate(int32_t elapsedMs) override;
    void RespawnMe() override;
    int32_t GetDeathDelay() const { return deathDelay; }
    int32_t GetDeathCountdown() const { return deathCountdown; }
    uint32_t GetRespawnActivity() const { return respawnActivity; }

protected:
    void RegisterStates() override;
    void InitializeStates() override;

private:
    // A held button stops acting on its target: the target is dead, gone or the player cannot
    // act.
    void DropRepeat(uint32_t& target);

    std::deque<uint32_t> mailboxItems;
    std::deque<uint32_t> mailboxNpcChats;
    std::deque<std::pair<std::string, int32_t>> mailboxUserTexts;
    std::string emptyText;
    int32_t deathDelay = 0;
    int32_t deathCountdown = 0;
    bool commandRepeated = false;
    uint32_t repeatTarget = 0;
    WorldVec3 repeatPoint;
    uint32_t combatEnemy = 0;
    uint32_t combatAlly = 0;
    PlayerInventoryCtrl inventoryCtrl;
    uint32_t pet = 0;
    uint32_t respawnActivity = 0;
    WorldVec3 targetPoint;
};

} // namespace GAME
