#pragma once

#include "skills/Skill.h"

#include <cstdint>
#include <vector>

namespace GAME {

class Character;
class WorldVec3;

// Rides on the skill listed before it and fires when that one fires; never runs by itself.
class SkillSecondary : public Skill {
    GAME_DECLARE_CLASS(SkillSecondary)

public:
    SkillSecondary();
    ~SkillSecondary() override;

    // The primary started: pass it on to the secondaries riding on this one.
    virtual void PrimaryActivateNow(Character& owner, uint32_t target,
                                    const std::vector<uint32_t>& targets, const WorldVec3& point);
    // The primary hit; the kinds act on the targets.
    virtual void ActivateNow(Character& owner, uint32_t target,
                             const std::vector<uint32_t>& targets, const WorldVec3& point);
    virtual void PrimaryStop(Character& owner);

    bool IsActive() const { return active; }
    const char* GetDisplayClassText() const { return displayClassText; }

protected:
    void SetActive(bool value) { active = value; }
    void SetDisplayClassText(const char* text) { displayClassText = text; }

private:
    bool active = false;
    const char* displayClassText = "^bSecondary Skill";
};

} // namespace GAME
