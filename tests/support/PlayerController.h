#pragma once

#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"

namespace GAME::Test {

// A fresh player controller attached to the character, which it drives from then on.
inline ControllerPlayer* AttachPlayerController(Character& character)
{
    auto* controller =
        static_cast<ControllerPlayer*>(ObjectManager::Instance().CreateObject("ControllerPlayer"));
    controller->AttachParent(character.GetObjectId());
    character.SetControllerId(controller->GetObjectId());
    return controller;
}

} // namespace GAME::Test
