#pragma once

#include "characters/CharacterActionBase.h"

#include <vector>

namespace GAME {

class DiePacket;

// The owner's death: its death handlers run with the object ids they were handed.
class DieAction : public CharacterActionBase {
public:
    DieAction(uint32_t ownerId, const std::vector<uint32_t>& objectIds);
    // Rebuilt from what another machine sent.
    explicit DieAction(const DiePacket& packet);

    void Execute() override;
    void AnimationCallback(const Name& event) override;
    void Finish() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

private:
    std::vector<uint32_t> objectIds;
};

} // namespace GAME
