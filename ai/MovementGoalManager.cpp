#include "ai/MovementGoalManager.h"

#include "characters/Character.h"
#include "engine/DynamicObstacle.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"

#include <algorithm>
#include <memory>

namespace GAME {

MovementGoalManager::MovementGoalManager() : next(goals.end()) {}

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
    ReleaseMoveGoal(requester);
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<std::unique_ptr<DynamicObstacle>> obstacles;
    // False for a goal to forget.
    auto weigh = [&](const Goal& goal) {
        Character* character = objects.GetObject<Character>(goal.characterId);
        if (character == nullptr || !character->IsAlive() || !character->GetCoords().HasRegion())
            return false;
        Vec3 point;
        if (obstacles.size() < kMaxGoalsSteppedRound &&
            character->GetCoords().GetRegionId() == target.GetRegionId() &&
            goal.point.GetPositionInRegion(target.GetRegionId(), point) &&
            (point - target.GetRegionPosition()).LengthSquared() < kCrowdDistanceSquared) {
            std::unique_ptr<DynamicObstacle> obstacle =
                DynamicObstacle::Create(target.GetRegionId(), character->GetRegionBoundingSphere());
            if (obstacle != nullptr) {
                obstacle->Attach();
                obstacles.push_back(std::move(obstacle));
            }
        }
        return true;
    };
    // All of them in their order while they are few.
    Goals::iterator goal = goals.size() <= kMaxGoalsWeighed ? goals.begin() : next;
    for (size_t left = std::min(goals.size(), kMaxGoalsWeighed); left > 0; --left) {
        if (goal == goals.end())
            goal = goals.begin();
        goal = weigh(*goal) ? std::next(goal) : Forget(goal);
    }
    next = goal;

    WorldVec3 answer = target;
    if (!obstacles.empty()) {
        std::vector<WorldVec3> points;
        PathFinder::Instance().FillPointSet(target, {requesterRadius}, points);
        if (!points.empty() && points.front().HasRegion())
            answer = points.front();
        // The last attached is the quickest to take off.
        for (auto obstacle = obstacles.rbegin(); obstacle != obstacles.rend(); ++obstacle)
            (*obstacle)->Detach();
    }
    byCharacter[requester] = goals.insert(goals.end(), {requester, answer});
    return answer;
}

void MovementGoalManager::ReleaseMoveGoal(uint32_t requester)
{
    const auto found = byCharacter.find(requester);
    if (found != byCharacter.end())
        Forget(found->second);
}

std::vector<MovementGoalManager::Goal> MovementGoalManager::GetGoals() const
{
    return {goals.begin(), goals.end()};
}

MovementGoalManager::Goals::iterator MovementGoalManager::Forget(Goals::iterator goal)
{
    byCharacter.erase(goal->characterId);
    const bool wasNext = next == goal;
    const Goals::iterator after = goals.erase(goal);
    if (wasNext)
        next = after;
    return after;
}

} // namespace GAME
