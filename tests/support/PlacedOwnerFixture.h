#pragma once

#include "characters/Monster.h"
#include "tests/support/SkillsFixture.h"

#include <string>
#include <vector>

namespace GAME::Test {

// A character owner placed in the region, whose monsters get the default controller and whose
// skills are learnt at level 1 of 3.
class PlacedOwnerFixture : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
    }

    template <class Kind> Kind* Owned(std::vector<std::string> lines)
    {
        lines.push_back("skillMaxLevel = 3");
        return MakeOwned<Kind>(lines);
    }

    // Applies a sent spawn message as every machine does.
    void Apply(Skill& skill, const SkillsSent::Spawn& sent)
    {
        skill.SkillSpawnObject(*owner, sent.origin, sent.value, sent.coords, sent.ids, 7);
    }
};

} // namespace GAME::Test
