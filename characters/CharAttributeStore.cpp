#include "characters/CharAttributeStore.h"

#include "characters/CharAttributeVal.h"
#include "engine/LoadTable.h"

namespace GAME {

CharAttributeStore::~CharAttributeStore()
{
    Clear();
}

void CharAttributeStore::CreateText(std::vector<std::wstring>& headerLines,
                                    std::vector<std::wstring>& lines, uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->CreateText(level, headerLines, lines);
}

void CharAttributeStore::CreateNextText(std::vector<std::wstring>& headerLines,
                                        std::vector<std::wstring>& lines, uint32_t level,
                                        uint32_t nextLevel) const
{
    for (const auto& attribute : attributes)
        attribute->CreateNextText(level, nextLevel, headerLines, lines);
}

void CharAttributeStore::AddToStore(std::unique_ptr<CharAttribute> attribute)
{
    attributes.Add(std::move(attribute));
}

void CharAttributeStore::AddToAccumulator(CharAttributeAccumulator& accumulator,
                                          uint32_t level) const
{
    for (const auto& attribute : attributes)
        attribute->AddToAccumulator(accumulator, level);
}

void CharAttributeStore::ScaleAttributes(float percent)
{
    for (const auto& attribute : attributes)
        attribute->ScaleAttribute(percent);
}

void CharAttributeStore::GetCostInfo(CharAttributeCostSums& info) const
{
    for (const auto& attribute : attributes)
        attribute->GetCostInfo(info);
}

void CharAttributeStore::Clear()
{
    attributes.Clear();
}

CharAttributeStore::Source::Source(const LoadTable& record, const LoadTable* prefix,
                                   const LoadTable* suffix)
    : record(record), prefix(prefix), suffix(suffix)
{
    const RecordKeyIndex& index = RecordKeyIndex::Instance();
    found = index.Find(record);
    for (const LoadTable* affix : {prefix, suffix})
        if (affix != nullptr)
            found |= index.Find(*affix);
}

void CharAttributeStore::LoadAttribute(std::unique_ptr<CharAttribute> attribute,
                                       const Source& source, float jitterPercent,
                                       bool keepWhenEmpty)
{
    attribute->LoadBaseTable(source.record);
    if (source.prefix != nullptr)
        attribute->LoadPrefixTable(*source.prefix, randomGen.Get());
    if (source.suffix != nullptr)
        attribute->LoadSuffixTable(*source.suffix, randomGen.Get());
    if (!keepWhenEmpty && !attribute->IsNotEmpty())
        return;
    if (jitterPercent > 0.0f)
        attribute->AddJitter(jitterPercent, randomGen.Get());
    AddToStore(std::move(attribute));
}

void CharAttributeStore::LoadItemReqReductions(const Source& source)
{
    LoadAttributes<
        CharAttributeVal_WeaponStrengthReqReduction, CharAttributeVal_WeaponDexterityReqReduction,
        CharAttributeVal_WeaponIntelligenceReqReduction, CharAttributeVal_MeleeStrengthReqReduction,
        CharAttributeVal_MeleeDexterityReqReduction, CharAttributeVal_MeleeIntelligenceReqReduction,
        CharAttributeVal_ArmorStrengthReqReduction, CharAttributeVal_ArmorDexterityReqReduction,
        CharAttributeVal_ArmorIntelligenceReqReduction,
        CharAttributeVal_JewelryStrengthReqReduction, CharAttributeVal_JewelryDexterityReqReduction,
        CharAttributeVal_JewelryIntelligenceReqReduction,
        CharAttributeVal_ShieldStrengthReqReduction, CharAttributeVal_ShieldDexterityReqReduction,
        CharAttributeVal_ShieldIntelligenceReqReduction,
        CharAttributeVal_HuntingStrengthReqReduction, CharAttributeVal_HuntingDexterityReqReduction,
        CharAttributeVal_HuntingIntelligenceReqReduction,
        CharAttributeVal_StaffStrengthReqReduction, CharAttributeVal_StaffDexterityReqReduction,
        CharAttributeVal_StaffIntelligenceReqReduction>(source, 0.0f, false);
}

} // namespace GAME
