#pragma once

#include "ai/ControllerMonster.h"

namespace GAME {

class LoadTable;

// A monster that waits unseen at its spawn point until a foe comes nearer than its appear
// distance, then springs out and goes for that foe. Its record holds only that distance.
class ControllerMonsterHidden : public ControllerMonster {
    GAME_DECLARE_CLASS(ControllerMonsterHidden)

public:
    static constexpr float kDefaultAppearDistance = 5.0f;

    ControllerMonsterHidden() = default;
    ~ControllerMonsterHidden() override = default;

    void Load(const LoadTable& table) override;
    float GetAppearDistance() const { return appearDistance; }

protected:
    void RegisterStates() override;

private:
    float appearDistance = kDefaultAppearDistance;
};

} // namespace GAME
