#include "characters/Typhon.h"

#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

constexpr const char* kGlow = "Records/Fx/Packs/GodGlow.dbr";

class TyphonTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Fx/Glow.dbr", {"Class = EffectEntity"});
        database.WriteRecord(kGlow, {"particleEffectNames = Records/Fx/Glow.dbr"});
        typhon = static_cast<Typhon*>(ObjectManager::Instance().CreateObject("Typhon"));
        ASSERT_NE(typhon, nullptr);
        for (uint32_t god = 0; god < Typhon::kNumGods; ++god) {
            CharFxPak* pack = typhon->GetSkillEffect(god);
            pack->LoadFromDatabase(kGlow);
            pack->SetParent(typhon->GetObjectId());
            pack->InitializeFxPak();
        }
    }

    Typhon* typhon = nullptr;
};

TEST_F(TyphonTest, EnableLightsOneGodAndDisableTurnsOffAllFour)
{
    typhon->EnableSkillEffect(2);
    typhon->EnableSkillEffect(4);
    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        EXPECT_EQ(typhon->GetSkillEffect(god)->IsActive(), god == 2) << god;
    EXPECT_EQ(typhon->GetSkillEffect(4), nullptr);

    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        typhon->EnableSkillEffect(god);
    typhon->DisableSkillEffects();
    for (uint32_t god = 0; god < Typhon::kNumGods; ++god)
        EXPECT_FALSE(typhon->GetSkillEffect(god)->IsActive()) << god;
}

} // namespace
} // namespace GAME::Test
