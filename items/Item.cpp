#include "items/Item.h"

#include "characters/Character.h"
#include "engine/Coords.h"
#include "engine/ObjectManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Item, Actor);

Item::~Item() = default;

void Item::AttachItem(Character& character, const char* attachPoint)
{
    if (attachPoint == nullptr || *attachPoint == '\0') {
        SetVisibility(false);
        attachPoint = "";
    }
    character.Attach(this, Coords::Identity(), attachPoint);
    attachedTo = character.GetObjectId();
}

void Item::DetachItem(Character& character)
{
    character.Detach(this);
    SetVisibility(true);
    attachedTo = 0;
}

Character* Item::GetCharacter() const
{
    return ObjectManager::Instance().GetObject<Character>(attachedTo);
}

} // namespace GAME
