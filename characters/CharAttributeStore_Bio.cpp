#include "characters/CharAttributeStore_Bio.h"

#include "characters/CharAttributeVal.h"
#include "engine/Engine.h"

namespace GAME {

void CharAttributeStore_Bio::Load(const LoadTable& record)
{
    Clear();
    const Source source(record);
    LoadAttributes<CharAttributeVal_Strength, CharAttributeVal_Intelligence,
                   CharAttributeVal_Dexterity, CharAttributeVal_Life>(source, 0.0f, true);
    LoadAttributes<CharAttributeVal_LifeRegen>(source, 0.0f, false);
    LoadAttributes<CharAttributeVal_Mana>(source, 0.0f, true);
    LoadAttributes<CharAttributeVal_ManaRegen, CharAttributeVal_AttackSpeed,
                   CharAttributeVal_SpellCastSpeed, CharAttributeVal_RunSpeed,
                   CharAttributeVal_OffensiveAbility, CharAttributeVal_DefensiveAbility>(
        source, 0.0f, false);
    EndLoad();
}

void CharAttributeStore_Bio::SetBaseValue(CharAttributeType type, float value)
{
    CharAttribute* attribute = Find(type);
    if (attribute == nullptr) {
        gEngine->Log(Engine::LogData,
                     "CharAttributeStore_Bio: Could not find type (%u) to set base values",
                     static_cast<unsigned>(type));
        return;
    }
    attribute->SetBaseValue(value);
}

float CharAttributeStore_Bio::GetBaseValue(CharAttributeType type) const
{
    const CharAttribute* attribute = Find(type);
    return attribute == nullptr ? 0.0f : attribute->GetValue(1);
}

CharAttribute* CharAttributeStore_Bio::Find(CharAttributeType type) const
{
    for (const auto& attribute : GetAttributes()) {
        if (attribute->GetType() == type)
            return attribute.get();
    }
    return nullptr;
}

} // namespace GAME
