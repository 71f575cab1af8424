#pragma once

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "tests/support/Must.h"

namespace GAME::Test {

// Made by its registered class name, as the engine makes what no record names.
template <typename T> T* New()
{
    return Must(static_cast<T*>(ObjectManager::Instance().CreateObject(T::classInfo.GetName())));
}

// A controller made and handed to the character, as the character's load would.
template <typename T> T* GiveController(Character& character)
{
    T* controller = New<T>();
    controller->AttachParent(character.GetObjectId());
    character.SetControllerId(controller->GetObjectId());
    return controller;
}

} // namespace GAME::Test
