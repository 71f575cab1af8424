#include "ai/ControllerPlayer.h"

#include "ai/ControllerPlayerState.h"
#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "items/PlayerHotSlotCtrl.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerPlayer, ControllerAI);

ControllerPlayer::ControllerPlayer()
{
    inventoryCtrl.SetController(this);
}

void ControllerPlayer::Load(const LoadTable& table)
{
    ControllerAI::Load(table);
    deathDelay =
        SaturateToInt(static_cast<double>(table.GetFloat("controllerDeathDelay", 0.0f)) * 1000.0);
}

void ControllerPlayer::PostParentAttached()
{
    ControllerAI::PostParentAttached();
    Player* player = DynamicCast<Player>(GetCharacter());
    inventoryCtrl.SetParent(player);
    GetEquipmentCtrl().SetParent(player);
}

void ControllerPlayer::Update(int32_t elapsedMs)
{
    ControllerAI::Update(elapsedMs);
    inventoryCtrl.Update(elapsedMs);
}

// ---- orders ----

void ControllerPlayer::DropRepeat(uint32_t& target)
{
    repeatTarget = 0;
    target = 0;
}

bool ControllerPlayer::HandleActionFromMouse(bool primary, bool flagA, bool flagB, bool repeat,
                                             const WorldVec3& point, uint32_t& target)
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return false;
    if (!character->IsAlive() || character->IsTeleporting()) {
        DropRepeat(target);
        return false;
    }
    commandRepeated = repeat;
    WorldVec3 workingPoint = point;
    if (!repeat) {
        repeatTarget = 0;
        repeatPoint = WorldVec3();
    } else if (repeatTarget != 0) {
        // A target that is gone ends the repeat as a dead one does.
        const Character* held = ObjectManager::Instance().GetObject<Character>(repeatTarget);
        if (held == nullptr || !held->IsAlive()) {
            DropRepeat(target);
            return false;
        }
        target = repeatTarget;
        combatEnemy = repeatTarget;
        combatAlly = repeatTarget;
        workingPoint = repeatPoint;
    }
    auto* state = dynamic_cast<ControllerPlayerState*>(GetExecutingState());
    if (state == nullptr)
        return false;
    if (state->ActivateSuperSkill(flagA, flagB, workingPoint, target))
        return false;
    return primary ? state->SelectPrimaryAction(flagA, flagB, workingPoint, target)
                   : state->SelectSecondaryAction(flagA, flagB, workingPoint, target);
}

bool ControllerPlayer::SendSkillAction(Character& /*character*/, bool flagA, bool flagB,
                                       uint32_t skillId, const WorldVec3& point, uint32_t& target)
{
    auto* state = dynamic_cast<ControllerPlayerState*>(GetExecutingState());
    return state != nullptr && state->RequestSkillAction(flagA, flagB, skillId, point, target);
}

bool ControllerPlayer::HandlePetAction(Character& player, bool /*flagA*/, bool /*flagB*/,
                                       const WorldVec3& point, uint32_t& target)
{
    if (pet == 0 || target == pet)
        return false;
    const uint32_t petId = pet;
    pet = 0;
    ObjectManager& objects = ObjectManager::Instance();
    Monster* petMonster = objects.GetObject<Monster>(petId);
    if (petMonster == nullptr || petMonster->GetLeader() != GetParentId())
        return false;
    if (SoundPak* sound = petMonster->GetPetAttackSound())
        sound->Play(petMonster->GetCoords(), false, false);
    const Monster* foe = objects.GetObject<Monster>(target);
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    if (foe != nullptr && teams != nullptr && teams->IsFoe(player, *foe))
        SendCommand(std::make_unique<RequestAllyAttackConfigCmd>(petId, GetParentId(), target));
    else
        SendCommand(std::make_unique<RequestAllyMoveConfigCmd>(petId, GetParentId(), point));
    return true;
}

void ControllerPlayer::ChatWithNPC(uint32_t npcId)
{
    if (npcId == 0)
        return;
    if (Npc* npc = ObjectManager::Instance().GetObject<Npc>(npcId))
        npc->ChatWith(GetParentId());
}

void ControllerPlayer::FaceTarget(uint32_t id)
{
    Character* character = GetCharacter();
    Character* other = ObjectManager::Instance().GetObject<Character>(id);
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (character == nullptr || other == nullptr || other == character || world == nullptr)
        return;
    WorldCoords coords = character->GetCoords();
    coords.LookAtNoLean(character->GetCoords().GetPosition(), other->GetCoords().GetPosition(),
                        Vec3(0.0f, 1.0f, 0.0f));
    world->SetCoords(character, coords);
}

bool ControllerPlayer::UseItem(uint32_t itemId, bool flag)
{
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->RequestUseItem(itemId, flag);
}

bool ControllerPlayer::ReleasePet(uint32_t petId)
{
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->RequestReleasePet(petId);
}

bool ControllerPlayer::UseRelic(uint32_t relicId, uint32_t targetId)
{
    ControllerAIState* state = GetExecutingState();
    return state != nullptr && state->RequestUseRelic(relicId, targetId);
}

void ControllerPlayer::BeginStun()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginStun();
}

void ControllerPlayer::EndStun()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndStun();
}

void ControllerPlayer::BeginImmobilize()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginImmobilize();
}

void ControllerPlayer::EndImmobilize()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndImmobilize();
}

void ControllerPlayer::BeginTrap()
{
    if (ControllerAIState* state = GetExecutingState())
        state->BeginTrap();
}

void ControllerPlayer::EndTrap()
{
    if (ControllerAIState* state = GetExecutingState())
        state->EndTrap();
}

// ---- targets, slots, tokens ----

void ControllerPlayer::ClearTarget()
{
    SetState("Idle", ControllerAIStateData());
    combatEnemy = 0;
    targetPoint = WorldVec3();
    repeatTarget = 0;
    repeatPoint = WorldVec3();
}

void ControllerPlayer::ForgetFallenCombatants()
{
    const ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t* id : {&combatEnemy, &combatAlly}) {
        const Character* character = objects.GetObject<Character>(*id);
        if (*id != 0 && (character == nullptr || !character->IsAlive()))
            *id = 0;
    }
}

void ControllerPlayer::SetMouseRepeat(uint32_t id, const WorldVec3& point)
{
    repeatTarget = id;
    repeatPoint = point;
}

bool ControllerPlayer::GiveItemToPlayer(uint32_t itemId)
{
    if (itemId == 0)
        return false;
    return GetEquipmentCtrl().AutoInsertItem(itemId) || inventoryCtrl.AddItem(itemId, true);
}

HotSlotOption* ControllerPlayer::GetPrimarySlotOption()
{
    Player* player = DynamicCast<Player>(GetCharacter());
    return player != nullptr ? player->GetPlayerHotSlotCtrl().GetActiveSlotOption(true) : nullptr;
}

HotSlotOption* ControllerPlayer::GetSecondarySlotOption()
{
    Player* player = DynamicCast<Player>(GetCharacter());
    return player != nullptr ? player->GetPlayerHotSlotCtrl().GetActiveSlotOption(false) : nullptr;
}

void ControllerPlayer::SendCommand(std::unique_ptr<ActorConfigCommand> command) const
{
    Send(std::move(command));
}

void ControllerPlayer::BestowToken(const TriggerToken& token)
{
    if (Player* player = DynamicCast<Player>(GetCharacter()))
        player->BestowToken(token);
}

void ControllerPlayer::RemoveToken(const TriggerToken& token)
{
    if (Player* player = DynamicCast<Player>(GetCharacter()))
        player->RemoveToken(token);
}

// ---- mailboxes ----

uint32_t ControllerPlayer::GetMailboxItem() const
{
    return mailboxItems.empty() ? 0 : mailboxItems.front();
}

void ControllerPlayer::PopMailboxItem()
{
    if (!mailboxItems.empty())
        mailboxItems.pop_front();
}

uint32_t ControllerPlayer::GetMailboxNpcChat() const
{
    return mailboxNpcChats.empty() ? 0 : mailboxNpcChats.front();
}

void ControllerPlayer::PopMailboxNpcChat()
{
    if (!mailboxNpcChats.empty())
        mailboxNpcChats.pop_front();
}

void ControllerPlayer::SetUserText(const std::string& text, int32_t timeMs)
{
    if (!text.empty() && timeMs > 0)
        mailboxUserTexts.emplace_back(text, timeMs);
}

const std::string& ControllerPlayer::GetMailboxUserText() const
{
    return mailboxUserTexts.empty() ? emptyText : mailboxUserTexts.front().first;
}

int32_t ControllerPlayer::GetMailboxUserTextTime() const
{
    return mailboxUserTexts.empty() ? 0 : mailboxUserTexts.front().second;
}

void ControllerPlayer::PopUserText()
{
    if (!mailboxUserTexts.empty())
        mailboxUserTexts.pop_front();
}

} // namespace GAME
