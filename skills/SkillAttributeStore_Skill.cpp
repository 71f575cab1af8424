#include "skills/SkillAttributeStore_Skill.h"

#include "skills/SkillAttributeMod.h"
#include "skills/SkillAttributeVal.h"

namespace GAME {

namespace {
template <typename... Kind> void LoadKinds(SkillAttributeStore& store, const LoadTable& record)
{
    (
        [&] {
            auto attribute = std::make_unique<Kind>();
            attribute->LoadBaseTable(record);
            if (attribute->IsNotEmpty())
                store.AddToStore(std::move(attribute));
        }(),
        ...);
}
} // namespace

void SkillAttributeStore_Skill::Load(const LoadTable& record)
{
    Clear();
    LoadKinds<SkillAttributeVal_CooldownReduction, SkillAttributeVal_ManaCostReduction,
              SkillAttributeVal_ProjectileSpeedModifier, SkillAttributeMod_CooldownReduction,
              SkillAttributeMod_ManaCostReduction>(*this, record);
}

} // namespace GAME
