#include "items/CostInfo_DefenseAttributes.h"

#include "engine/Engine.h"

namespace GAME {

namespace {
void DumpField(const char* format, float value)
{
    if (value != 0.0f)
        gEngine->Log(Engine::LogInfo, format, static_cast<double>(value));
}
} // namespace

void CostInfo_DefenseAttributes::Reset()
{
    *this = CostInfo_DefenseAttributes();
}

void CostInfo_DefenseAttributes::Dump() const
{
    gEngine->Log(Engine::LogInfo, "Defense Cost Attributes");
    DumpField("   armor           = %f", armor);
    DumpField("   base            = %f", base);
    DumpField("   baseDuration    = %f", baseDuration);
    DumpField("   mod             = %f", mod);
    DumpField("   modDuration     = %f", modDuration);
    if (count != 0)
        gEngine->Log(Engine::LogInfo, "   count           = %d", count);
}

} // namespace GAME
