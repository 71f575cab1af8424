#include "skills/SkillSecondary.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/WorldVec3.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// Notes what reaches it, as "call target targets-count".
class ListeningSecondary : public SkillSecondary {
public:
    void PrimaryActivateNow(Character&, uint32_t target, const std::vector<uint32_t>& targets,
                            const WorldVec3&) override
    {
        heard.push_back("start " + std::to_string(target) + " " + std::to_string(targets.size()));
    }
    void ActivateNow(Character&, uint32_t, const std::vector<uint32_t>&, const WorldVec3&) override
    {
        heard.push_back("hit");
    }
    void PrimaryStop(Character&) override { heard.push_back("stop"); }
    std::vector<std::string> heard;
};

class SkillBarInterface : public RecordingUserInterface {
public:
    void SkillActivated(uint32_t skillId) override { activated.push_back(skillId); }
    std::vector<uint32_t> activated;
};

using SkillSecondaryTest = GameEngineFixture;

TEST_F(SkillSecondaryTest, SecondaryForwardsThePrimaryAndTellsTheInterfaceOfItsHits)
{
    Start();
    ObjectManager& objects = ObjectManager::Instance();
    auto* owner = static_cast<Character*>(objects.CreateObject("Character"));
    auto* secondary = static_cast<SkillSecondary*>(objects.CreateObject("SkillSecondary"));
    ASSERT_TRUE(owner != nullptr && secondary != nullptr);
    auto* rider = new ListeningSecondary;
    ASSERT_TRUE(objects.RegisterObject(rider));
    secondary->AddSecondarySkill(rider->GetObjectId());
    EXPECT_FALSE(secondary->IsActive());

    const WorldVec3 point;
    secondary->PrimaryActivateNow(*owner, 12, {3, 4}, point);
    secondary->PrimaryStop(*owner);
    secondary->ActivateNow(*owner, 0, {}, point); // no interface: nobody to tell
    SkillBarInterface ui;
    Game().SetUI(&ui);
    secondary->ActivateNow(*owner, 5, {5}, point);
    Game().SetUI(nullptr);
    EXPECT_EQ(ui.activated, std::vector<uint32_t>{secondary->GetObjectId()});
    // Hits reach riders through the kinds' own results, not the base.
    EXPECT_EQ(rider->heard, (std::vector<std::string>{"start 12 2", "stop"}));
}

} // namespace
} // namespace GAME::Test
