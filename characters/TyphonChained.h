#pragma once

#include "characters/Monster.h"

namespace GAME {

class TyphonChains;

// The giant held in chains. Its animation breaks the chains, opens the portal near it and
// dissolves it as it steps through.
class TyphonChained : public Monster {
    GAME_DECLARE_CLASS(TyphonChained)

public:
    TyphonChained() = default;
    ~TyphonChained() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;
    void AnimationCallback(int32_t kind, const Name& name) override;

    static constexpr float kPortalReach = 40.0f;

    TyphonChains* GetChains() const;
    bool AreChainsAttached() const { return chainsAttached; }

private:
    uint32_t chainsId = 0;
    bool chainsAttached = false;
};

} // namespace GAME
