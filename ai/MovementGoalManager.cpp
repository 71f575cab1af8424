#include "ai/MovementGoalManager.h"

#include "characters/Character.h"
#include "engine/DynamicObstacle.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"

#include <algorithm>
#include <memory>

namespace GAME {

MovementGoalManager& MovementGoalManager::GetCharacterInstance()
{
    static MovementGoalManager instance;
    return instance;
}

MovementGoalManager& MovementGoalManager::GetMonsterInstance()
{
    static MovementGoalManager instance;
    return instance;
}

WorldVec3 MovementGoalManager::GetClosestMovePoint(uint32_t requester, float requesterRadius,
                                                   const WorldVec3& target)
{
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<std::unique_ptr<DynamicObstacle>> obstacles;
    auto stale = [&](const Goal& goal) {
        Character* character = objects.GetObject<Character>(goal.characterId);
        if (character == nullptr || !character->IsAlive() || goal.characterId == requester ||
            !character->GetCoords().HasRegion())
            return true;
        Vec3 point;
        if (character->GetCoords().GetRegionId() == target.GetRegionId() &&
            goal.point.GetPositionInRegion(target.GetRegionId(), point) &&
            (point - target.GetRegionPosition()).LengthSquared() < kCrowdDistanceSquared) {
            std::unique_ptr<DynamicObstacle> obstacle =
                DynamicObstacle::Create(target.GetRegionId(), character->GetRegionBoundingSphere());
            if (obstacle != nullptr) {
                obstacle->Attach();
                obstacles.push_back(std::move(obstacle));
            }
        }
        return false;
    };
    goals.erase(std::remove_if(goals.begin(), goals.end(), stale), goals.end());

    WorldVec3 answer = target;
    if (!obstacles.empty()) {
        std::vector<WorldVec3> points;
        PathFinder::Instance().FillPointSet(target, {requesterRadius}, points);
        if (!points.empty() && points.front().HasRegion())
            answer = points.front();
        for (const std::unique_ptr<DynamicObstacle>& obstacle : obstacles)
            obstacle->Detach();
    }
    goals.push_back({requester, answer});
    return answer;
}

void MovementGoalManager::ReleaseMoveGoal(uint32_t requester)
{
    const auto goal = std::find_if(goals.begin(), goals.end(), [requester](const Goal& entry) {
        return entry.characterId == requester;
    });
    if (goals.end() != goal)
        goals.erase(goal);
}

} // namespace GAME
