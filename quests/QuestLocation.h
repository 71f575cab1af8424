#pragma once

#include "engine/Actor.h"

namespace GAME {

// An invisible marker that quests point at (where to go, where to spawn); shown only in the
// level editor.
class QuestLocation : public Actor {
    GAME_DECLARE_CLASS(QuestLocation)

public:
    QuestLocation();
    ~QuestLocation() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;

private:
    void Announce(const char* eventName);
};

} // namespace GAME
