#pragma once

#include "engine/Trigger.h"
#include "engine/TriggerAction.h"
#include "engine/TriggerCondition.h"
#include "tests/support/QuestFixture.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace GAME {
class Monster;
class Player;
} // namespace GAME

namespace GAME::Test {

// The quest fixture with the game engine running, for quest pieces that ask who the local
// player is, which role this machine plays, and that send quest news.
class QuestGameFixture : public QuestFixture {
protected:
    static constexpr uint32_t kParty = 0x10000001u;

    void SetUp() override;
    void TearDown() override;

    void BecomeServer();
    void BecomeClient();
    Player* MakeMainPlayer();
    // Me and the ally in one party, the stranger alone; all in the game.
    void SeatPlayers(uint32_t ally, uint32_t stranger);

    // A quest of one step and one trigger, written and loaded: the conditions and actions are
    // made by class name and handed to `configure` (conditions first) before the design is
    // written. The loaded trigger.
    using Configure = std::function<void(TriggerCondition*, TriggerAction*)>;
    Trigger* LoadOneTrigger(const std::vector<std::string>& conditions,
                            const std::vector<std::string>& actions, const Configure& configure);
    // One action of that class in a loaded trigger, configured before the design is written.
    template <typename A> A* LoadAction(const char* name, const std::function<void(A&)>& configure)
    {
        Trigger* trigger = LoadOneTrigger({}, {name}, [&](TriggerCondition*, TriggerAction* a) {
            configure(*static_cast<A*>(a));
        });
        return static_cast<A*>(trigger->GetActionAtIdx(0));
    }
    // Saves the quest state, loads it into a fresh repository and fires again what had fired.
    void ReloadQuestState();

    // The quest messages sent since the last call: their words, and whether each was a set.
    struct SentQuestMessage {
        std::vector<uint32_t> words;
        bool isConditionSet = false;
    };
    std::vector<SentQuestMessage> TakeQuestMessages();

    // A monster of that record (object name) placed by nobody.
    Monster* MakeMonster(const std::string& record);
    // "GameEvent_CreatureDeath" of the victim by the killer.
    static void Kill(const std::string& record, uint32_t victim, uint32_t killer);
};

} // namespace GAME::Test
