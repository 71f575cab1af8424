#include "items/CursorHandler.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

namespace GAME {

namespace {

void DestroySound(uint32_t& id)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(id))
        objects.DestroyObjectEx(sound, "Project\\Game\\CursorHandler", 32);
    id = 0;
}

} // namespace

CursorHandler::~CursorHandler()
{
    DestroySound(activationSound);
}

void CursorHandler::LoadActivationSound(const std::string& record)
{
    DestroySound(activationSound);
    if (record.empty())
        return;
    if (SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record))
        activationSound = sound->GetObjectId();
}

void CursorHandler::PlayActivationSound()
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(activationSound))
        sound->Play(true);
}

bool CursorHandler::Escape()
{
    Cancel();
    return true;
}

void CursorHandler::SetPlayer(const Player* value)
{
    playerId = value != nullptr ? value->GetObjectId() : 0;
}

Player* CursorHandler::GetPlayer() const
{
    return ObjectManager::Instance().GetObject<Player>(playerId);
}

ControllerPlayer* CursorHandler::GetPlayerCtrl() const
{
    const Player* player = GetPlayer();
    return player != nullptr ? player->GetControllerPlayer() : nullptr;
}

PlayerInventoryCtrl* CursorHandler::GetInventoryCtrl() const
{
    ControllerPlayer* controller = GetPlayerCtrl();
    return controller != nullptr ? &controller->GetInventoryCtrl() : nullptr;
}

EquipmentCtrl* CursorHandler::GetEquipmentCtrl() const
{
    ControllerPlayer* controller = GetPlayerCtrl();
    return controller != nullptr ? &controller->GetEquipmentCtrl() : nullptr;
}

} // namespace GAME
