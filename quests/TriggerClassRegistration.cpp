// Every quest action and condition class, registered by name with the engine's trigger
// factories when the library loads: the actions in their table order, then the conditions.
// Statics of one file are built in the order written, which makes this the order the
// factories (and `gamehost --classes`) list them in. Rows still to come are kept as comments in
// their places.
#include "engine/TriggerFactory.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/Action_UpdateNPCDialog.h"
#include "quests/CreatureCommandActions.h"
#include "quests/DoorLockActions.h"
#include "quests/ItemHandOutActions.h"
#include "quests/NpcTalkActions.h"
#include "quests/PresentationActions.h"
#include "quests/QuestActions.h"
#include "quests/QuestConditions.h"
#include "quests/RewardActions.h"

namespace GAME {

namespace {

template <typename T> using Action = TriggerActionProducerT<T>;
template <typename T> using Condition = TriggerConditionProducerT<T>;

Action<Action_GiveMoney> a1("Action_GiveMoney");
Action<Action_GiveItem> a2("Action_GiveItem");
Action<Action_DispenseItemFromNpc> a3("Action_DispenseItemFromNpc");
Action<Action_DropItemFromNpc> a4("Action_DropItemFromNpc");
Action<Action_DispenseItemFromChest> a5("Action_DispenseItemFromChest");
Action<Action_TaskCreatureToLocation> a6("Action_TaskCreatureToLocation");
Action<Action_SpawnEntityAtLocation> a7("Action_SpawnEntityAtLocation");
Action<Action_BoatDialog> a8("Action_BoatDialog");
Action<Action_OpenDoor> a9("Action_OpenDoor");
Action<Action_CloseDoor> a10("Action_CloseDoor");
Action<Action_LockFixedItem> a11("Action_LockFixedItem");
Action<Action_UnlockFixedItem> a12("Action_UnlockFixedItem");
Action<Action_GiveAttributePoints> a13("Action_GiveAttributePoints");
Action<Action_GiveSkillPoints> a14("Action_GiveSkillPoints");
Action<Action_KillCreature> a15("Action_KillCreature");
Action<Action_GiveExp> a16("Action_GiveExp");
Action<Action_BestowTriggerToken> a17("Action_BestowTriggerToken");
Action<Action_RemoveTriggerToken> a18("Action_RemoveTriggerToken");
Action<Action_RemoveItemFromInventory> a19("Action_RemoveItemFromInventory");
Action<Action_UpdateNPCDialog> a20("Action_UpdateNPCDialog");
Action<Action_TalkNPC> a21("Action_TalkNPC");
Action<Action_ClearNPCDialog> a22("Action_ClearNPCDialog");
Action<Action_LoadAmbientPlaylist> a23("Action_LoadAmbientPlaylist");
Action<Action_LoadMusicPlaylist> a24("Action_LoadMusicPlaylist");
Action<Action_FadeInMusic> a25("Action_FadeInMusic");
Action<Action_FadeOutMusic> a26("Action_FadeOutMusic");
Action<Action_LoadEventMusic> a27("Action_LoadEventMusic");
Action<Action_PlaySoundEffect> a28("Action_PlaySoundEffect");
Action<Action_SetCharacterInvincible> a29("Action_SetCharacterInvincible");
Action<Action_NpcPlayAnimation> a30("Action_NpcPlayAnimation");
Action<Action_IlluminateNpc> a31("Action_IlluminateNpc");
Action<Action_HideNpc> a32("Action_HideNpc");
Action<Action_ShowNpc> a33("Action_ShowNpc");
Action<Action_DisableProxy> a34("Action_DisableProxy");
Action<Action_ScreenFade> a35("Action_ScreenFade");
Action<Action_TeleportPlayer> a36("Action_TeleportPlayer");
Action<Action_SetTimeOfDay> a37("Action_SetTimeOfDay");
Action<Action_FadeOutEventMusic> a38("Action_FadeOutEventMusic");
Action<Action_DebugText> a39("Action_DebugText");
Action<Action_UpdateMapMarker> a40("Action_UpdateMapMarker");
Action<Action_ClearMapMarker> a41("Action_ClearMapMarker");
Action<Action_UpdateDialogTab> a42("Action_UpdateDialogTab");
Action<Action_UpdateJournalEntry> a43("Action_UpdateJournalEntry");
Action<Action_BestowQuest> a44("Action_BestowQuest");
Action<Action_CompleteQuestNow> a45("Action_CompleteQuestNow");
Action<Action_SendTutorialEvent> a46("Action_SendTutorialEvent");
Action<Action_ScreenShake> a47("Action_ScreenShake");
Action<Action_FireSkill> a48("Action_FireSkill");

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
