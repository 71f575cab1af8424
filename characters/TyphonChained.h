#pragma once

#include "characters/Monster.h"

namespace GAME {

class TyphonChains;

// The giant held in chains. So far the chains: made with its record, attached when it starts.
class TyphonChained : public Monster {
    GAME_DECLARE_CLASS(TyphonChained)

public:
    TyphonChained() = default;
    ~TyphonChained() override;

    void Load(const LoadTable& table) override;
    void InitialUpdate() override;

    TyphonChains* GetChains() const;
    bool AreChainsAttached() const { return chainsAttached; }

private:
    uint32_t chainsId = 0;
    bool chainsAttached = false;
};

} // namespace GAME
