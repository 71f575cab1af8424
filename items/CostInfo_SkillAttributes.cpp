#include "items/CostInfo_SkillAttributes.h"

#include "engine/Engine.h"

namespace GAME {

void CostInfo_SkillAttributes::Reset()
{
    *this = CostInfo_SkillAttributes();
}

void CostInfo_SkillAttributes::Dump() const
{
    gEngine->Log(Engine::LogInfo, "Skill Cost Attributes");
    if (base != 0.0f)
        gEngine->Log(Engine::LogInfo, "   base        = %f", static_cast<double>(base));
    if (bonus != 0.0f)
        gEngine->Log(Engine::LogInfo, "   bonus       = %f", static_cast<double>(bonus));
    if (modifier != 0.0f)
        gEngine->Log(Engine::LogInfo, "   modifier    = %f", static_cast<double>(modifier));
    if (bonusCount != 0)
        gEngine->Log(Engine::LogInfo, "   bonusCount  = %d", bonusCount);
}

} // namespace GAME
