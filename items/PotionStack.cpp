#include "items/PotionStack.h"

#include "engine/ObjectManager.h"
#include "items/OneShot_Potion.h"

namespace GAME {

namespace {

OneShot_Potion* FindPotion(uint32_t id)
{
    return ObjectManager::Instance().GetObject<OneShot_Potion>(id);
}

} // namespace

PotionStack::PotionStack(uint32_t visible) : visiblePotion(visible) {}

PotionStack::PotionStack(uint32_t visible, const std::vector<uint32_t>& hidden)
    : visiblePotion(visible), hidden(hidden)
{
    UpdateStackCount();
}

void PotionStack::UpdateStackCount() const
{
    if (OneShot_Potion* potion = FindPotion(visiblePotion))
        potion->SetStackCount(GetNumberInStack());
}

void PotionStack::PushStack(uint32_t id)
{
    hidden.push_back(id);
    UpdateStackCount();
}

uint32_t PotionStack::PopStack()
{
    if (hidden.empty())
        return 0;
    const uint32_t id = hidden.back();
    hidden.pop_back();
    UpdateStackCount();
    return id;
}

bool PotionStack::IsStackFull() const
{
    const OneShot_Potion* potion = FindPotion(visiblePotion);
    return potion == nullptr || potion->IsStackFull();
}

void PotionStack::GetPotions(uint32_t& visible, std::vector<uint32_t>& out) const
{
    visible = visiblePotion;
    out.insert(out.end(), hidden.begin(), hidden.end());
}

} // namespace GAME
