#include "ai/ControllerMonsterHidden.h"

#include "ai/ControllerMonsterStateHidden.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"

#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerMonsterHidden, ControllerMonster);

void ControllerMonsterHidden::Load(const LoadTable& table)
{
    const float distance = table.GetFloat("appearDistance", kDefaultAppearDistance);
    if (std::isfinite(distance)) {
        appearDistance = distance;
        return;
    }
    gEngine->Log(Engine::LogData, "appearDistance of %s is no number; %.1f is kept",
                 GetObjectName().c_str(), static_cast<double>(appearDistance));
}

void ControllerMonsterHidden::RegisterStates()
{
    ControllerMonster::RegisterStates();
    AddState("Startup", new ControllerMonsterStateHidden(this));
}

} // namespace GAME
