#include "quests/QuestConditions.h"

#include "characters/Character.h"
#include "characters/Player.h"
#include "core/StringHelpers.h"
#include "engine/IOStream.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "game/GameEngine.h"
#include "quests/QuestConditionRules.h"
#include "quests/QuestRepository.h"
#include "quests/TriggerMarkup.h"
#include "world/FixedItem.h"
#include "world/Proxy.h"

#include <algorithm>

namespace GAME {

namespace {

template <typename T> T* ObjectAs(uint32_t id)
{
    return ObjectManager::Instance().GetObject<T>(id);
}

bool NamesOne(const std::string& property, const std::string& name)
{
    return !property.empty() && FileNameEquals(property, name);
}

bool NamesObject(const std::string& property, uint32_t id)
{
    const Object* object = ObjectAs<Object>(id);
    return object != nullptr && NamesOne(property, object->GetObjectName());
}

} // namespace

VolumeConditionBase::VolumeConditionBase(uint32_t id, Trigger* parent)
    : TriggerCondition(id, parent), spawnHandler("GameEvent_GenericEntitySpawn",
                                                 &VolumeConditionBase::OnGenericEntitySpawn, this),
      destroyHandler("GameEvent_GenericEntityDestroy", &VolumeConditionBase::OnGenericEntityDestroy,
                     this)
{}

bool VolumeConditionBase::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("volumeRecord", volumeRecord);
}

void VolumeConditionBase::OnGenericEntitySpawn(const GameEvent_GenericEntity& event)
{
    if (!QuestConditionRules::IsDone(*this) && NamesOne(volumeRecord, event.objectName))
        volumeIds.push_back(event.objectId);
}

void VolumeConditionBase::OnGenericEntityDestroy(const GameEvent_GenericEntity& event)
{
    const auto found = std::find(volumeIds.begin(), volumeIds.end(), event.objectId);
    if (!QuestConditionRules::IsDone(*this) && NamesOne(volumeRecord, event.objectName) &&
        found != volumeIds.end())
        volumeIds.erase(found);
}

bool VolumeConditionBase::HeardFrom(uint32_t volumeId, uint32_t entityId) const
{
    return !QuestConditionRules::IsDone(*this) &&
           std::find(volumeIds.begin(), volumeIds.end(), volumeId) != volumeIds.end() &&
           ObjectAs<Player>(entityId) != nullptr;
}

Condition_EnterVolume::Condition_EnterVolume(uint32_t id, Trigger* parent)
    : VolumeConditionBase(id, parent)
{}

Condition_EnterVolume::~Condition_EnterVolume()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetListener(this);
}

const std::string& Condition_EnterVolume::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Enter Bounding Volume";
    return description;
}

bool Condition_EnterVolume::SerializeChildProperties(IOStream* stream)
{
    const bool read = VolumeConditionBase::SerializeChildProperties(stream);
    QuestRepository::Get().AddEnterBoundingVolume(volumeRecord, this);
    return read;
}

void Condition_EnterVolume::OnEnterBoundingVolume(const GameEvent_EnterBoundingVolume& event)
{
    if (HeardFrom(event.volumeId, event.entityId))
        QuestConditionRules::Satisfy(*this, event.entityId);
}

Condition_ExitVolume::Condition_ExitVolume(uint32_t id, Trigger* parent)
    : VolumeConditionBase(id, parent),
      exitHandler("GameEvent_ExitBoundingVolume", &Condition_ExitVolume::OnExitBoundingVolume, this)
{}

const std::string& Condition_ExitVolume::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Exit Bounding Volume";
    return description;
}

void Condition_ExitVolume::OnExitBoundingVolume(const GameEvent_ExitBoundingVolume& event)
{
    const Player* player = ObjectAs<Player>(event.entityId);
    if (HeardFrom(event.volumeId, event.entityId) && player->IsControllingCharacter())
        QuestConditionRules::Satisfy(*this, event.entityId);
}

Condition_UseFixedItem::Condition_UseFixedItem(uint32_t id, Trigger* parent)
    : TriggerCondition(id, parent),
      useHandler("GameEvent_FixedItemUse", &Condition_UseFixedItem::OnFixedItemUse, this)
{}

const std::string& Condition_UseFixedItem::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Use Item " + TriggerMarkup::Record(itemRecord);
    return description;
}

bool Condition_UseFixedItem::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("itemRecord", itemRecord);
}

void Condition_UseFixedItem::OnFixedItemUse(const GameEvent_FixedItemUse& event)
{
    const FixedItem* item = ObjectAs<FixedItem>(event.objectId);
    if (!QuestConditionRules::IsDone(*this) && item != nullptr &&
        NamesOne(itemRecord, item->GetObjectName()))
        QuestConditionRules::Satisfy(*this, event.userId);
}

Condition_PickupItem::Condition_PickupItem(uint32_t id, Trigger* parent)
    : TriggerCondition(id, parent),
      addHandler("GameEvent_ItemAdd", &Condition_PickupItem::OnItemAdd, this)
{}

const std::string& Condition_PickupItem::GetDescription()
{
    description =
        TriggerMarkup::Not(GetNegate()) + "Picks Up Item " + TriggerMarkup::Record(itemRecord);
    return description;
}

bool Condition_PickupItem::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("itemRecord", itemRecord);
}

void Condition_PickupItem::OnItemAdd(const GameEvent_ItemAdd& event)
{
    if (!QuestConditionRules::IsDone(*this) && !event.flag && ObjectAs<Player>(event.ownerId) &&
        NamesObject(itemRecord, event.itemId))
        QuestConditionRules::Satisfy(*this, event.ownerId);
}

Condition_ConversationStart::~Condition_ConversationStart()
{
    if (QuestRepository* repository = QuestRepository::GetIfExists())
        repository->ForgetListener(this);
}

const std::string& Condition_ConversationStart::GetDescription()
{
    description =
        TriggerMarkup::Not(GetNegate()) + "On Interact with " + TriggerMarkup::Record(personRecord);
    return description;
}

bool Condition_ConversationStart::SerializeChildProperties(IOStream* stream)
{
    const bool read = stream->StreamString("personRecord", personRecord);
    QuestRepository::Get().AddConversationStart(personRecord, this);
    return read;
}

void Condition_ConversationStart::OnConversationBegin(const GameEvent_GenericEntity& event)
{
    if (QuestConditionRules::IsDone(*this) || !NamesOne(personRecord, event.objectName) ||
        event.objectId != QuestConditionRules::Me())
        return;
    Satisfy(event.objectId, true, false);
}

void Condition_ConversationStart::Satisfy(uint32_t player, bool notify, bool statusFlag)
{
    SetSatisfied(true);
    if (parent == nullptr)
        return;
    parent->SetInstigator(player);
    parent->OnStatusChange(statusFlag);
    if (notify && parent->IsDone()) {
        QuestNetMsg_ConversationStart message(QuestNetMsg::ConversationStart, GetId(),
                                              QuestConditionRules::Me());
        message.player = player;
        QuestRepository::Get().SendDelayedNetMsg(&message, 0);
    }
}

const std::string& Condition_OwnsTriggerToken::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Owns Token " + TriggerMarkup::Token(tokenName);
    return description;
}

bool Condition_OwnsTriggerToken::IsSatisfied(bool& flag)
{
    const Player* player = gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
    return QuestConditionRules::AndInto(
        flag, player != nullptr && player->HasToken(tokenName.c_str()), *this);
}

Condition_GotToken::Condition_GotToken(uint32_t id, Trigger* parent)
    : TokenNamed(id, parent),
      tokenHandler("GameEvent_GotToken", &Condition_GotToken::OnGotToken, this)
{}

const std::string& Condition_GotToken::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Got Token " + TriggerMarkup::Token(tokenName);
    return description;
}

void Condition_GotToken::OnGotToken(const GameEvent_GotToken& event)
{
    if (!QuestConditionRules::IsDone(*this) && NamesOne(tokenName, event.tokenName))
        QuestConditionRules::Satisfy(*this, event.playerId);
}

const std::string& Condition_CharacterHasItem::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Has Item " + TriggerMarkup::Record(itemName);
    return description;
}

bool Condition_CharacterHasItem::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("itemName", itemName);
}

bool Condition_CharacterHasItem::IsSatisfied(bool& flag)
{
    const Character* holder =
        parent != nullptr ? ObjectAs<Character>(parent->GetInstigator()) : nullptr;
    return QuestConditionRules::AndInto(
        flag, holder != nullptr && !itemName.empty() && holder->HasItem(itemName), *this);
}

Condition_OnLevelLoad::Condition_OnLevelLoad(uint32_t id, Trigger* parent)
    : TriggerCondition(id, parent),
      preRunHandler("GameEvent_PreRun", &Condition_OnLevelLoad::OnPreRun, this)
{}

const std::string& Condition_OnLevelLoad::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "On Game Level Load";
    return description;
}

void Condition_OnLevelLoad::OnPreRun(const GameEvent&)
{
    if (!QuestConditionRules::IsDone(*this))
        QuestConditionRules::Satisfy(*this, 0);
}

Condition_OnQuestComplete::Condition_OnQuestComplete(uint32_t id, Trigger* parent)
    : TriggerCondition(id, parent),
      completeHandler("GameEvent_QuestComplete", &Condition_OnQuestComplete::OnQuestComplete, this)
{}

const std::string& Condition_OnQuestComplete::GetDescription()
{
    description =
        TriggerMarkup::Not(GetNegate()) + "Quest " + TriggerMarkup::Text(questFile) + " Complete";
    return description;
}

bool Condition_OnQuestComplete::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("questFile", questFile);
}

void Condition_OnQuestComplete::OnQuestComplete(const GameEvent_QuestComplete& event)
{
    if (!QuestConditionRules::IsDone(*this) && (event.flagA || event.flagB) && !questFile.empty() &&
        Name::Create(NormalizeFileName(questFile)) == event.handle)
        QuestConditionRules::Satisfy(*this, 0);
}

CompletionConditionBase::CompletionConditionBase(uint32_t id, Trigger* parent,
                                                 const char* completionEvent)
    : TriggerCondition(id, parent),
      completedHandler(completionEvent, &CompletionConditionBase::OnCompleted, this),
      initialUpdateHandler("GameEvent_GenericEntityInitialUpdate",
                           &CompletionConditionBase::OnInitialUpdate, this)
{}

bool CompletionConditionBase::SerializeChildProperties(IOStream* stream)
{
    return stream->StreamString("characterRecord", characterRecord);
}

void CompletionConditionBase::OnInitialUpdate(const GameEvent_GenericEntity& event)
{
    if (QuestConditionRules::IsDone(*this) || !NamesOne(characterRecord, event.objectName))
        return;
    if (const Proxy* proxy = ObjectAs<Proxy>(event.objectId))
        proxy->GetPrimaryObjects(objectIds);
}

void CompletionConditionBase::OnCompleted(const GameEvent_GenericEntity& event)
{
    if (QuestConditionRules::IsDone(*this))
        return;
    const bool listed = std::any_of(objectIds.begin(), objectIds.end(), [&](uint32_t id) {
        const Object* object = ObjectAs<Object>(id);
        return object != nullptr && FileNameEquals(object->GetObjectName(), event.objectName);
    });
    if (NamesOne(characterRecord, event.objectName) || (!characterRecord.empty() && listed))
        QuestConditionRules::Satisfy(*this, 0);
}

const std::string& Condition_MoveCompleted::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Move completed";
    return description;
}

const std::string& Condition_AnimationCompleted::GetDescription()
{
    description = TriggerMarkup::Not(GetNegate()) + "Animation completed";
    return description;
}

} // namespace GAME
