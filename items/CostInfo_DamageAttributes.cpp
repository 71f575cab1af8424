#include "items/CostInfo_DamageAttributes.h"

#include "engine/Engine.h"

namespace GAME {

void CostInfo_DamageAttributes::Reset()
{
    *this = CostInfo_DamageAttributes();
}

void CostInfo_DamageAttributes::Dump() const
{
    DumpFields("Damage Cost Attributes", true);
}

void CostInfo_DamageAttributes::DumpFields(const char* heading, bool withBase) const
{
    gEngine->Log(Engine::LogInfo, "%s", heading);
    if (withBase && (avgBase != 0.0f || avgPierceRatio != 0.0f))
        gEngine->Log(Engine::LogInfo, "   avgBase (%f)  avgPierceRatio (%f)",
                     static_cast<double>(avgBase), static_cast<double>(avgPierceRatio));
    const struct {
        const char* format;
        float value;
    } figures[] = {
        {"   avgBonus        = %f", avgBonus},
        {"   avgOverTime     = %f", avgOverTime},
        {"   mod             = %f", mod},
        {"   modDur          = %f", modDur},
    };
    for (const auto& figure : figures)
        if (figure.value != 0.0f)
            gEngine->Log(Engine::LogInfo, figure.format, static_cast<double>(figure.value));
    if (count != 0)
        gEngine->Log(Engine::LogInfo, "   count           = %d", count);
}

} // namespace GAME
