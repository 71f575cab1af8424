#include "characters/Typhon.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Typhon, Monster);

Typhon::~Typhon() = default;

void Typhon::EnableSkillEffect(uint32_t god)
{
    if (CharFxPak* pack = GetSkillEffect(god))
        pack->Enable(true);
}

void Typhon::DisableSkillEffects()
{
    for (CharFxPak& pack : skillEffects)
        pack.Enable(false);
}

CharFxPak* Typhon::GetSkillEffect(uint32_t god)
{
    return god < kNumGods ? &skillEffects[god] : nullptr;
}

} // namespace GAME
