// Every quest action and condition class, registered by name with the engine's trigger
// factories when the library loads: the actions in their table order, then the conditions.
// Statics of one file are built in the order written, which makes this the order the
// factories (and `gamehost --classes`) list them in. Rows still to come are kept as comments in
// their places.
#include "engine/TriggerFactory.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/NpcTalkActions.h"
#include "quests/QuestActions.h"
#include "quests/QuestConditions.h"
#include "quests/RewardActions.h"

namespace GAME {

namespace {

template <typename T> using Action = TriggerActionProducerT<T>;
template <typename T> using Condition = TriggerConditionProducerT<T>;

Action<Action_GiveMoney> a1("Action_GiveMoney");
Action<Action_GiveItem> a2("Action_GiveItem");
// 3 "Action_DispenseItemFromNpc"
// 4 "Action_DropItemFromNpc"
// 5 "Action_DispenseItemFromChest"
// 6 "Action_TaskCreatureToLocation"
// 7 "Action_SpawnEntityAtLocation"
Action<Action_BoatDialog> a8("Action_BoatDialog");
// 9 "Action_OpenDoor"
// 10 "Action_CloseDoor"
// 11 "Action_LockFixedItem"
// 12 "Action_UnlockFixedItem"
Action<Action_GiveAttributePoints> a13("Action_GiveAttributePoints");
Action<Action_GiveSkillPoints> a14("Action_GiveSkillPoints");
// 15 "Action_KillCreature"
Action<Action_GiveExp> a16("Action_GiveExp");
Action<Action_BestowTriggerToken> a17("Action_BestowTriggerToken");
Action<Action_RemoveTriggerToken> a18("Action_RemoveTriggerToken");
// 19 "Action_RemoveItemFromInventory"
Action<Action_UpdateNPCDialog> a20("Action_UpdateNPCDialog");
Action<Action_TalkNPC> a21("Action_TalkNPC");
Action<Action_ClearNPCDialog> a22("Action_ClearNPCDialog");
// 23 "Action_LoadAmbientPlaylist"
// 24 "Action_LoadMusicPlaylist"
// 25 "Action_FadeInMusic"
// 26 "Action_FadeOutMusic"
// 27 "Action_LoadEventMusic"
// 28 "Action_PlaySoundEffect"
// 29 "Action_SetCharacterInvincible"
// 30 "Action_NpcPlayAnimation"
Action<Action_IlluminateNpc> a31("Action_IlluminateNpc");
Action<Action_HideNpc> a32("Action_HideNpc");
Action<Action_ShowNpc> a33("Action_ShowNpc");
// 34 "Action_DisableProxy"
// 35 "Action_ScreenFade"
// 36 "Action_TeleportPlayer"
// 37 "Action_SetTimeOfDay"
// 38 "Action_FadeOutEventMusic"
// 39 "Action_DebugText"
Action<Action_UpdateMapMarker> a40("Action_UpdateMapMarker");
Action<Action_ClearMapMarker> a41("Action_ClearMapMarker");
Action<Action_UpdateDialogTab> a42("Action_UpdateDialogTab");
Action<Action_UpdateJournalEntry> a43("Action_UpdateJournalEntry");
Action<Action_BestowQuest> a44("Action_BestowQuest");
Action<Action_CompleteQuestNow> a45("Action_CompleteQuestNow");
Action<Action_SendTutorialEvent> a46("Action_SendTutorialEvent");
// 47 "Action_ScreenShake"
// 48 "Action_FireSkill"

Condition<Condition_EnterVolume> c1("Condition_EnterVolume");
Condition<Condition_ExitVolume> c2("Condition_ExitVolume");
Condition<Condition_KillCreature> c3("Condition_KillCreature");
Condition<Condition_KillAllCreaturesFromProxy> c4("Condition_KillAllCreaturesFromProxy");
Condition<Condition_UseFixedItem> c5("Condition_UseFixedItem");
Condition<Condition_PickupItem> c6("Condition_PickupItem");
Condition<Condition_KillCreatureHerd> c7("Condition_KillCreatureHerd");
Condition<Condition_ConversationStart> c8("Condition_ConversationStart");
Condition<Condition_OwnsTriggerToken> c9("Condition_OwnsTriggerToken");
Condition<Condition_GotToken> c10("Condition_GotToken");
Condition<Condition_CharacterHasItem> c11("Condition_CharacterHasItem");
Condition<Condition_OnLevelLoad> c12("Condition_OnLevelLoad");
Condition<Condition_OnQuestComplete> c13("Condition_OnQuestComplete");
Condition<Condition_MoveCompleted> c14("Condition_MoveCompleted");
Condition<Condition_AnimationCompleted> c15("Condition_AnimationCompleted");

} // namespace

} // namespace GAME
