#include "characters/Character.h"
#include "engine/ActorConfigCommand.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"

namespace GAME::Test {
namespace {

// A character that can register packs and counts what reaches its queue.
class NetSoundCharacter : public Character {
public:
    using Character::RegisterNetSound;
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        ++enqueued;
        Character::Enqueue(std::move(command));
    }
    int enqueued = 0;
};

class CharacterSoundsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        character = new NetSoundCharacter();
        ASSERT_TRUE(ObjectManager::Instance().RegisterObject(character));
        character->SetObjectName("Records/Creatures/Bard.dbr");
        first = NewSound();
        second = NewSound();
    }

    static SoundPak* NewSound()
    {
        auto* sound = new SoundPak();
        EXPECT_TRUE(ObjectManager::Instance().RegisterObject(sound));
        return sound;
    }

    NetSoundCharacter* character = nullptr;
    SoundPak* first = nullptr;
    SoundPak* second = nullptr;
};

TEST_F(CharacterSoundsTest, UnregisteredPackLogsAndQueuesNothing)
{
    character->RegisterNetSound(first);
    LogCapture log;
    character->PlayNetSound(second);
    EXPECT_EQ(log.Count(2, "Records/Creatures/Bard.dbr attempted to play an invalid Net Sound."),
              1u);
    EXPECT_EQ(character->enqueued, 0);
    EXPECT_TRUE(second->GetPlayRequests().empty());

    character->PlayNetSound(nullptr);
    EXPECT_EQ(log.GetLines().size(), 1u);
    EXPECT_EQ(character->enqueued, 0);
}

TEST_F(CharacterSoundsTest, RegisteredPackPlaysAtTheCharacterThroughTheCommand)
{
    character->RegisterNetSound(first);
    character->RegisterNetSound(second);
    character->RegisterNetSound(first);
    character->PlayNetSound(second);
    EXPECT_EQ(character->enqueued, 1);
    EXPECT_TRUE(first->GetPlayRequests().empty());
    ASSERT_EQ(second->GetPlayRequests().size(), 1u);
    EXPECT_TRUE(second->GetPlayRequests()[0].positioned);
    EXPECT_FALSE(second->GetPlayRequests()[0].loop);
    EXPECT_EQ(second->GetPlayRequests()[0].coords, character->GetCoords());
}

TEST_F(CharacterSoundsTest, IndexAtTheCountLogsAndPlaysNothing)
{
    character->RegisterNetSound(first);
    LogCapture log;
    character->OnPlayNetSound(1);
    EXPECT_EQ(
        log.Count(2,
                  "Records/Creatures/Bard.dbr received config cmd to play an invalid Net Sound."),
        1u);
    EXPECT_TRUE(first->GetPlayRequests().empty());
    character->OnPlayNetSound(0);
    EXPECT_EQ(first->GetPlayRequests().size(), 1u);
}

} // namespace
} // namespace GAME::Test
