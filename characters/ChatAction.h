#pragma once

#include "characters/CharacterActionBase.h"

namespace GAME {

class ChatActionPacket;

// Faces someone and talks until the controller ends the conversation.
class ChatAction : public CharacterActionBase {
public:
    ChatAction(uint32_t ownerId, uint32_t targetId);
    // Rebuilt from what another machine sent.
    explicit ChatAction(const ChatActionPacket& packet);

    void Execute() override;
    void Finish() override;
    std::unique_ptr<NetPacket> GetNetPacket() const override;
    std::string ToString() const override;

protected:
    virtual void FaceTarget(uint32_t id);

private:
    uint32_t targetId = 0;
};

} // namespace GAME
