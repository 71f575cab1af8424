#pragma once

#include "engine/LevelFile.h"
#include "host/NetworkPlay.h"

namespace GAME {

// The network session on the sample level: the server loads the level and its quest, the
// clients hold the level's regions and quest and are sent what stands in them. Every machine
// runs its own copy of the quest.
class LevelNetworkPlay final : public NetworkPlay {
public:
    static constexpr int kPlayMs = 20000;

    LevelNetworkPlay(const HostOptions& options, std::ostream& out, std::ostream& err);

private:
    bool MakeRegions() override;
    bool StageServer() override;
    WorldVec3 StartOf(int host) const override;
    bool IsDone() const override;
    void Unstage() override;

    std::string levelPath;
    LevelFile level;
};

} // namespace GAME
