#include "tests/support/QuestGameFixture.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Quest.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"

namespace GAME::Test {

void QuestGameFixture::SetUp()
{
    QuestFixture::SetUp();
    gEngine->GetGameInfo().SetDifficulty(0);
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    InitializeObjects();
}

void QuestGameFixture::TearDown()
{
    QuestRepository::Destroy();
    ShutdownObjects();
    gEngine->SetNetworkMode(false, false);
    gEngine->GetGameInfo().SetDifficulty(0);
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    QuestFixture::TearDown();
}

void QuestGameFixture::BecomeServer()
{
    gEngine->SetNetworkMode(true, false);
    gGameEngine->SetAsNetworkServer();
}

void QuestGameFixture::BecomeClient()
{
    gEngine->SetNetworkMode(true, true);
    gGameEngine->SetAsNetworkClient();
}

Player* QuestGameFixture::MakeMainPlayer()
{
    auto* player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    return player;
}

void QuestGameFixture::SeatPlayers(uint32_t ally, uint32_t stranger)
{
    PlayerManagerClient* players = gGameEngine->GetPlayerManagerClient();
    const uint32_t me = gGameEngine->GetPlayerId();
    std::vector<PlayerNetBasicInfo> records(3);
    records[0].playerId = me;
    records[1].playerId = ally;
    records[2].playerId = stranger;
    players->HandlePlayerUpdate(records);
    players->AddPlayerToParty(me, int32_t(kParty));
    players->AddPlayerToParty(ally, int32_t(kParty));
}

Trigger* QuestGameFixture::LoadOneTrigger(const std::vector<std::string>& conditions,
                                          const std::vector<std::string>& actions,
                                          const Configure& configure)
{
    auto design = Quest::Spawn(0);
    Trigger* trigger = design->AddNewQuestStep()->AddNewTrigger();
    for (const std::string& name : conditions)
        configure(trigger->AddCondition(name), nullptr);
    for (const std::string& name : actions)
        configure(nullptr, trigger->AddAction(name));
    AddQuestFile("Quests/Test.qst", *design);
    return Loaded().GetQuestByIndex(0)->GetQuestStepAtIndx(0)->GetTriggerOfIdx(0);
}

std::vector<QuestGameFixture::SentQuestMessage> QuestGameFixture::TakeQuestMessages()
{
    std::vector<SentQuestMessage> messages;
    for (const auto& sent : gEngine->GetNetworkConnectionManager().TakeSentPackets()) {
        auto packet = ConnectionManager::DecodePacket(sent.bytes);
        if (const auto* quest = dynamic_cast<const QuestMessagePacket*>(packet.get()))
            messages.push_back({quest->words, quest->isConditionSet});
    }
    return messages;
}

Monster* QuestGameFixture::MakeMonster(const std::string& record)
{
    auto* monster = static_cast<Monster*>(ObjectManager::Instance().CreateObject("Monster"));
    monster->SetObjectName(record);
    return monster;
}

void QuestGameFixture::Kill(const std::string& record, uint32_t victim, uint32_t killer)
{
    GameEvent_CreatureDeath death;
    death.name = record;
    death.victimId = victim;
    death.killerId = killer;
    EventManager::Instance().Send("GameEvent_CreatureDeath", death);
}

void QuestGameFixture::ReloadQuestState()
{
    QuestRepository::Get().GetQuestByIndex(0)->SetDirty();
    QuestRepository::Get().SaveQuestState(StateFolder(), "QuestRepository.dat", false);
    QuestRepository::Destroy();
    Loaded().LoadQuestState(StateFolder(), "QuestRepository.dat");
    QuestRepository::Get().FireTriggers();
}

} // namespace GAME::Test
