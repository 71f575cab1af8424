#include "items/Item.h"

#include "items/CursorHandler.h"

#include "characters/Character.h"
#include "core/BinaryWriter.h"
#include "core/GameTextLine.h"
#include "core/StringHelpers.h"
#include "engine/BinaryReader.h"
#include "engine/CollisionData.h"
#include "engine/Coords.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/OBBox.h"
#include "engine/ObjectManager.h"
#include "engine/ResourceLoader.h"
#include "engine/SoundPak.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "items/CursorHandlerItemMove.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace GAME {

namespace {

constexpr const char* kItemSource = "Project\\Game\\Item";
constexpr const char* kDefaultWaterSound = "records/sounds/soundpak/bodyfalls/FallMdGooPak.dbr";
constexpr uint32_t kItemWaterSurface = 7;

std::wstring FormatTag(const std::string& tag)
{
    return LocalizationManager::Instance().Format("SimpleStringFormat", tag);
}

} // namespace

GAME_IMPLEMENT_CLASS(Item, Actor);

Item::Item()
{
    PickSparkleTime();
}

Item::~Item()
{
    DestroySoundPak(dropSound, kItemSource, 86);
    DestroySoundPak(dropSound3D, kItemSource, 87);
    DestroySoundPak(dropSoundWater, kItemSource, 88);
    if (idleAnimation != nullptr)
        GraphicsEngine::Instance().UnloadAnimation(idleAnimation);
}

void Item::Load(const LoadTable& table)
{
    Actor::Load(table);
    bitmapName = table.GetString("bitmap", "");
    descriptionTag = table.GetString("description", "");
    itemText = table.GetString("itemText", "");
    DestroySoundPak(dropSound, kItemSource, 86);
    dropSound = LoadSoundPakFromTable(table, "dropSound");
    DestroySoundPak(dropSound3D, kItemSource, 87);
    dropSound3D = LoadSoundPakFromTable(table, "dropSound3D");
    itemCost.clear();
    table.GetIntList("itemCost", itemCost);
    costScalePercent = table.GetFloat("itemCostScalePercent", 0.0f);
    itemLevel = static_cast<unsigned>(table.GetInt("itemLevel", 0));
    cannotPickUpMultiple = table.GetBool("cannotPickUpMultiple", false);
    strengthRequirement = static_cast<unsigned>(table.GetInt("strengthRequirement", 0));
    dexterityRequirement = static_cast<unsigned>(table.GetInt("dexterityRequirement", 0));
    intelligenceRequirement = static_cast<unsigned>(table.GetInt("intelligenceRequirement", 0));
    levelRequirement = static_cast<unsigned>(table.GetInt("levelRequirement", 0));
    DestroySoundPak(dropSoundWater, kItemSource, 88);
    dropSoundWater = LoadSoundPakFromTable(table, "dropSoundWater", kDefaultWaterSound);
    SetItemClassification(table);
}

void Item::SetItemClassification(const LoadTable& table)
{
    const ItemClassification fromRecord =
        GameEngine::ResolveItemClassificationEnum(table.GetString("itemClassification", ""));
    // A kind that set its own (relics) keeps it against a lower record value.
    if (fromRecord > classification)
        classification = fromRecord;
}

void Item::PreLoadSoundPak(uint32_t soundId, bool flag)
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(soundId))
        sound->PreLoad(flag);
}

void Item::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    for (uint32_t id : {dropSound, dropSound3D, dropSoundWater})
        PreLoadSoundPak(id, flag);
    if (idleAnimation != nullptr)
        ResourceLoader::Instance().EnqueueResource(idleAnimationName, flag);
}

GraphicsTexture* Item::GetBitmap() const
{
    return nullptr;
}

GraphicsTexture* Item::LoadBitmap() const
{
    return GraphicsEngine::Instance().LoadTexture(bitmapName);
}

uint32_t Item::LoadTrailEffect(const LoadTable& table)
{
    EffectEntity* effect = LoadEffectEntityFromTable(table, "trailEffect");
    if (effect == nullptr)
        return 0;
    effect->StopEmitting();
    Attach(effect, Coords::Identity(), "");
    return effect->GetObjectId();
}

void Item::DestroyTrailEffect(uint32_t& effectId, const char* sourceFile, int line)
{
    if (effectId == 0)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    if (auto* effect = objects.GetObject<EffectEntity>(effectId)) {
        Detach(effect);
        objects.DestroyObjectEx(effect, sourceFile, line);
    }
    effectId = 0;
}

void Item::GetUIBitmapText(std::wstring& /*text*/) const {}

std::unique_ptr<CursorHandler> Item::CreatePrimaryCursorHandler(const Character* /*character*/)
{
    return std::make_unique<CursorHandlerItemMove>();
}

std::unique_ptr<CursorHandler> Item::CreateSecondaryCursorHandler(const Character* /*character*/)
{
    return nullptr;
}

Item* Item::CreateItem(const ItemReplicaInfo& info)
{
    Item* item = ObjectManager::Instance().CreateObjectFromFile<Item>(info.baseName, info.id, true);
    if (item == nullptr)
        return nullptr;
    item->SetItemReplicaInfo(info);
    item->InitializeItem();
    return item;
}

Item* Item::CreateSavedItem(const ItemReplicaInfo& info)
{
    if (ObjectManager::Instance().GetDatabase().FindLoadTable(info.baseName) == nullptr)
        return nullptr;
    return CreateItem(info);
}

void Item::SetItemReplicaInfo(const ItemReplicaInfo& info)
{
    itemInfo = info;
    itemInfo.id = GetObjectId();
    itemInfo.baseName = GetObjectName();
}

void Item::SetRelicInfo(const std::string& name, const std::string& bonus, uint32_t var1)
{
    itemInfo.relicName = name;
    itemInfo.relicBonus = bonus;
    itemInfo.var1 = var1;
}

void Item::SetRequirements(unsigned strength, unsigned dexterity, unsigned intelligence,
                           unsigned level)
{
    strengthRequirement = strength;
    dexterityRequirement = dexterity;
    intelligenceRequirement = intelligence;
    levelRequirement = level;
}

void Item::GetItemReplicaInfo(ItemReplicaInfo& info) const
{
    info = itemInfo;
    // Until a record is applied the item's own id and name still name it.
    info.id = GetObjectId();
    info.baseName = GetObjectName();
}

void Item::InitializeItem()
{
    initialized = true;
}

void Item::RandomizeItem()
{
    if (initialized)
        return;
    ItemReplicaInfo fresh;
    fresh.seed = gGameEngine != nullptr ? static_cast<uint32_t>(gGameEngine->GetRandomSeed()) : 1u;
    SetItemReplicaInfo(fresh);
    InitializeItem();
}

// ---- entering the world, the frame ----

void Item::InitialUpdate()
{
    Actor::InitialUpdate();
    if (idleAnimation == nullptr && !idleAnimationName.empty())
        idleAnimation = GraphicsEngine::Instance().LoadAnimation(idleAnimationName);
    if (IsInWorld()) {
        RandomizeItem();
        StartIdleAnimation();
    }
}

void Item::StartIdleAnimation()
{
    if (idleAnimation != nullptr)
        PlayAnimation(0, idleAnimation, true, 1.0f, 250);
}

void Item::UpdateSelf(int32_t elapsedMs)
{
    Actor::UpdateSelf(elapsedMs);
    if (!IsInWorld() || classification == ItemClassification_Common)
        return;
    sparkleTimer -= elapsedMs;
    if (sparkleTimer < 0)
        Sparkle();
}

void Item::PickSparkleTime()
{
    const int32_t minimum = static_cast<int32_t>(sparkleMinimum * 1000.0f);
    const int32_t spread = static_cast<int32_t>((sparkleMaximum - sparkleMinimum) * 1000.0f);
    sparkleTimer = minimum + std::rand() % spread;
}

void Item::Sparkle()
{
    if (gEngine->IsEditorPlayMode() || gEngine->IsLevelEditor() || gGameEngine == nullptr)
        return;
    const std::string name = gGameEngine->GetItemSparkleName(classification);
    if (!name.empty()) {
        ObjectManager& objects = ObjectManager::Instance();
        auto* effect = objects.CreateObjectFromFile<EffectEntity>(name);
        if (effect != nullptr) {
            effect->StartEmitting();
            const WorldCoords& here = GetCoords();
            const Vec3 point = OBBox(GetMeshBoundingBox()).GetRandomPoint();
            // The world plays a sparkle out and lets it go; one it refuses would be nobody's.
            if (!effect->AddToWorld(
                    WorldCoords(here.GetRegionId(),
                                Coords::FromTranslation(here.GetRegionCoords().origin + point)),
                    false))
                objects.DestroyObjectEx(effect, kItemSource, __LINE__);
        }
    }
    PickSparkleTime();
}

bool Item::IncludeInMinimap() const
{
    return classification == ItemClassification_Quest;
}

void Item::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    if (!IncludeInMinimap())
        return;
    MinimapGameNugget nugget;
    nugget.type = 8;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    list.push_back(nugget);
}

void Item::AnimationCallback(int32_t kind, const Name& name)
{
    Actor::AnimationCallback(kind, name);
}

// ---- drop sounds ----

void Item::CollisionCallback(const CollisionData& data)
{
    if (!dropSoundPending)
        return;
    PlayDropSoundWorld(data.surface);
    dropSoundPending = false;
}

void Item::PlayDropSoundWorld(uint32_t surface)
{
    const uint32_t id = surface == kItemWaterSurface ? dropSoundWater : dropSound3D;
    SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(id);
    if (sound != nullptr && !sound->IsPlaying())
        sound->Play(GetCoords(), false, true);
}

void Item::PlayDropSound()
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(dropSound))
        sound->Play(true);
}

void Item::SetDropSoundToPlay()
{
    dropSoundPending = true;
}

// ---- level state and replication ----

void Item::SaveState(BinaryWriter& writer) const
{
    Actor::SaveState(writer);
    itemInfo.WriteLevelState(writer);
}

bool Item::RestoreState(BinaryReader& reader)
{
    if (!Actor::RestoreState(reader))
        return false;
    ItemReplicaInfo restored;
    const bool read = restored.ReadLevelState(reader);
    if (!read) {
        // A damaged record would roll a different item; the record's own defaults stand.
        gEngine->Log(Engine::LogData, "Item %s: level state unreadable; defaults kept",
                     GetObjectName().c_str());
        restored = ItemReplicaInfo();
    }
    SetItemReplicaInfo(restored);
    InitializeItem();
    return read;
}

void Item::WriteReplicationData(NetPacketOutBuffer& out)
{
    Actor::WriteReplicationData(out);
    itemInfo.WriteReplicationData(out);
}

void Item::ReadReplicationData(NetPacketInBuffer& in)
{
    Actor::ReadReplicationData(in);
    incomingInfo.ReadReplicationData(in);
}

void Item::ApplyReplicationData()
{
    Actor::ApplyReplicationData();
    SetItemReplicaInfo(incomingInfo);
    InitializeItem();
}

// ---- cost and requirements ----

uint32_t Item::GetBaseItemCost() const
{
    // A negative price is a damaged record; it costs nothing rather than four billion.
    return itemCost.empty() || itemCost.front() < 0 ? 0u : static_cast<uint32_t>(itemCost.front());
}

uint32_t Item::GetItemCost(bool /*forStack*/) const
{
    const double base = GetBaseItemCost();
    const double cost = std::trunc(base * costScalePercent * 0.01 + base + 0.5);
    if (!(cost > 0.0))
        return 0;
    return cost >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(cost);
}

bool Item::MeetsRequirements(float value, float requirement, float reductionPercent) const
{
    const float reduced = std::trunc(requirement - reductionPercent * 0.01f * requirement + 0.5f);
    return reduced <= value || requirement == 0.0f;
}

float Item::LevelRequirementReduction(const Character* character) const
{
    return character == nullptr ? 0.0f
                                : character->GetTotalCharAttribute(CharAttribute_LevelReqReduction);
}

bool Item::AreRequirementsMet(const Character* character) const
{
    const float level = character == nullptr ? 0.0f : static_cast<float>(character->GetCharLevel());
    return MeetsRequirements(level, static_cast<float>(GetLevelRequirement()),
                             LevelRequirementReduction(character));
}

bool Item::IsItemAvailable(const Character* character, unsigned strength, unsigned dexterity,
                           unsigned intelligence) const
{
    const unsigned level = character == nullptr ? 0u : character->GetCharLevel();
    if (strength >= strengthRequirement && dexterity >= dexterityRequirement &&
        intelligence >= intelligenceRequirement && level >= GetLevelRequirement())
        return true;
    return AreRequirementsMet(character);
}

void Item::GenerateRequirementText(float value, float requirement, float reductionPercent,
                                   const char* tag, std::vector<GameTextLine>& lines) const
{
    if (requirement <= 0.0f)
        return;
    const double r = requirement;
    const double red = reductionPercent;
    const double reduced = std::max(std::trunc(r - red * 0.01 * r + 0.5), 0.0);
    const LocalizationManager& text = LocalizationManager::Instance();
    std::wstring line;
    if (value >= requirement)
        line = text.Format("MeetsRequirement", tag, r);
    else if (value >= reduced)
        line = text.Format("MeetsRequirementWithReduction", tag, reduced, r, red);
    else if (reductionPercent <= 0.0f)
        line = text.Format("FailsRequirement", tag, r);
    else
        line = text.Format("FailsRequirementWithReduction", tag, reduced, r, red);
    lines.emplace_back(GameTextClass::ItemRequirements, line, false);
}

void Item::GetUIRequirementText(const Character* character, std::vector<GameTextLine>& lines) const
{
    const float level = character == nullptr ? 0.0f : static_cast<float>(character->GetCharLevel());
    GenerateRequirementText(level, static_cast<float>(GetLevelRequirement()),
                            LevelRequirementReduction(character), "LevelRequirement", lines);
}

void Item::DumpCostAttributes()
{
    gEngine->Log(Engine::LogInfo, "------------------------------------------------");
    gEngine->Log(Engine::LogInfo, "Name: %s", GetObjectName().c_str());
    gEngine->Log(Engine::LogInfo, "  Prefix:      %s", itemInfo.prefixName.c_str());
    gEngine->Log(Engine::LogInfo, "  Suffix:      %s", itemInfo.suffixName.c_str());
    gEngine->Log(Engine::LogInfo, "  Relic:       %s", itemInfo.relicName.c_str());
    gEngine->Log(Engine::LogInfo, "  Relic Bonus: %s", itemInfo.relicBonus.c_str());
    gEngine->Log(Engine::LogInfo, "  Seed:        %d", static_cast<int>(itemInfo.seed));
    gEngine->Log(Engine::LogInfo, "  Var1:        %d", static_cast<int>(itemInfo.var1));
}

// ---- text ----

std::wstring Item::GetGameDescription(bool /*flag*/) const
{
    std::wstring colour =
        gGameEngine != nullptr ? gGameEngine->GetItemColorText(classification) : std::wstring();
    std::wstring text = colour + FormatTag(descriptionTag);
    StripLineBreaks(text);
    TrimSpacesAndBraces(text);
    return text;
}

void Item::GetUIGameDescription(std::vector<GameTextLine>& lines) const
{
    std::wstring text = FormatTag(descriptionTag);
    TrimSpacesAndBraces(text);
    const GameTextClass style = gGameEngine != nullptr
                                    ? gGameEngine->GetItemTextClass(classification)
                                    : GameTextClass::ItemNameCommon;
    lines.emplace_back(style, text, false);
}

void Item::GetUIDisplayText(const Character* /*character*/, std::vector<GameTextLine>& lines) const
{
    GetUIGameDescription(lines);
    if (!itemText.empty())
        lines.emplace_back(GameTextClass::ItemDescription, FormatTag(itemText), true);
}

void Item::GetFullItemDescription(std::wstring& text) const
{
    text += GetGameDescription(false);
    text += FormatTag(itemText);
}

bool Item::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (name == nullptr || !IsDesignerName(name, "itemLevel"))
        return false;
    value = static_cast<float>(itemLevel);
    return true;
}

void Item::SetGender(Character_Gender value)
{
    gender = value;
}

// ---- attachment ----

void Item::AttachItem(Character& character, const char* attachPoint)
{
    if (attachPoint == nullptr || *attachPoint == '\0') {
        SetVisibility(false);
        attachPoint = "";
    }
    character.Attach(this, Coords::Identity(), attachPoint);
    attachedTo = character.GetObjectId();
}

void Item::DetachItem(Character& character)
{
    character.Detach(this);
    SetVisibility(true);
    attachedTo = 0;
    if (IsInWorld())
        StartIdleAnimation();
}

void Item::GetDefenseAttributes(CombatAttributeAccumulator&) const {}

void Item::GetRetaliationAttributes(CombatAttributeAccumulator&) const {}

void Item::ContributeRacialBonusDefense(const std::vector<std::string>&, RacialBonus_Defense&) const
{}

void Item::GetSkillAttributes(SkillAttributeAccumulator&) const {}

void Item::GetOffensiveDamageAttributes(CombatAttributeAccumulator&) const {}

void Item::GetOffensiveModifierAttributes(CombatAttributeAccumulator&) const {}

void Item::ContributeRacialBonusDamage(const std::vector<std::string>&, RacialBonus_Damage&) const
{}

Character* Item::GetCharacter() const
{
    return ObjectManager::Instance().GetObject<Character>(attachedTo);
}

uint32_t Item::LoadSoundPakFromTable(const LoadTable& table, const char* key, const char* fallback)
{
    const std::string record = table.GetString(key, fallback);
    if (record.empty())
        return 0;
    const SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void Item::DestroySoundPak(uint32_t& soundId, const char* sourceFile, int line)
{
    if (soundId == 0)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject<SoundPak>(soundId), sourceFile, line);
    soundId = 0;
}

void Item::PlaySoundPak(uint32_t soundId, const WorldCoords& position)
{
    if (SoundPak* sound = ObjectManager::Instance().GetObject<SoundPak>(soundId))
        sound->Play(position, false, true);
}

} // namespace GAME
