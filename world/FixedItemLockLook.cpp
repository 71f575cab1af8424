#include "world/FixedItemLockLook.h"

namespace GAME {

FixedItemLockLook::~FixedItemLockLook() = default;

void FixedItemLockLook::Load(const LoadTable& table)
{
    FixedItem::Load(table);
    openLook.Load(table, "open");
    closedLook.Load(table, "closed");
}

void FixedItemLockLook::PreLoad(bool flag)
{
    FixedItem::PreLoad(flag);
    openLook.PreLoad(flag);
    closedLook.PreLoad(flag);
}

void FixedItemLockLook::InitialUpdate()
{
    FixedItem::InitialUpdate();
    SetOperation(true);
}

void FixedItemLockLook::SetLock(bool lock)
{
    FixedItem::SetLock(lock);
    SetOperation(false);
}

void FixedItemLockLook::SetOperation(bool instantaneous)
{
    FixedItemLook& look = GetLockLook();
    look.PlayOnce(*this);
    if (!instantaneous)
        look.PlaySoundAndEffect(GetCoords());
}

} // namespace GAME
