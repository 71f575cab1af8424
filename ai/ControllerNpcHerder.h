#pragma once

#include "ai/ControllerAI.h"

#include <string>

namespace GAME {

// Drives the herder that trails behind its herd, found by the herd's name.
class ControllerNpcHerder : public ControllerAI {
    GAME_DECLARE_CLASS(ControllerNpcHerder)

public:
    ControllerNpcHerder() = default;
    ~ControllerNpcHerder() override = default;

    void SetHerdName(const std::string& name) { herdName = name; }
    virtual std::string GetHerdName() const { return herdName; }

protected:
    void RegisterStates() override;
    void RegisterTemporaryStates() override {}
    void InitializeStates() override;

private:
    std::string herdName;
};

} // namespace GAME
