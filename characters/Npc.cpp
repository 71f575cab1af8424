#include "characters/Npc.h"

#include "ai/Controller.h"
#include "ai/ControllerBaseCharacter.h"
#include "ai/NpcHerdManager.h"
#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/MathUtils.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "items/Item.h"
#include "quests/DialogPak.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Npc, Character);

namespace {

constexpr const char* kNpcStubControllerRecord =
    "Records/Controllers/Player/CharacterControllerStub.dbr";
constexpr const char* kNpcEditorControllerRecord =
    "Records/Controllers/Editor/EditorController.dbr";
constexpr const char* kNpcControllerRecord = "Records/Controllers/Npc/Npc2Controller.dbr";

// Per unit of squared distance beyond 3 units; 0 from 9 + 1 / 0.023668639 = 51.25 (7.16 units).
constexpr float kDialogFadeRate = 0.023668639f;

} // namespace

Npc::Npc()
    : dialogCompleteCallback(
          std::make_unique<VoidCallbackFunctor>([this](int) { OnDialogComplete(); }))
{
    SetPathMass(5.0f);
}

Npc::~Npc()
{
    DestroyDialogPak(dialogPak);
    dialogPak = nullptr;
    for (DialogPak* pak : dialogQueue)
        DestroyDialogPak(pak);
    dialogQueue.clear();
    for (DialogPak* pak : playingPaks)
        DestroyDialogPak(pak);
    playingPaks.clear();
    GraphicsEngine::Instance().UnloadAnimation(alertAnim);
    alertAnim = nullptr;
    dialogCompleteCallback.reset();
    // The marks hang on the NPC and go with it; one already gone has let go of us.
    const std::vector<Entity*>& children = GetAttachedChildren();
    auto attached = [&children](const Entity* effect) {
        return effect != nullptr &&
               std::find(children.begin(), children.end(), effect) != children.end();
    };
    if (attached(punctuationEffect))
        DetachPunctuation();
    if (attached(illuminationEffect))
        DetachIllumination();
}

void Npc::Load(const LoadTable& table)
{
    Character::Load(table);
    messageFileName = table.GetString("messageFileName", "NoFile");
    messageScrollRate = table.GetFloat("messageScrollRate", 1.0f);
    messageDialogTag = table.GetString("messageDialogTag", "");
    aiType = table.GetString("AIType", "");
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    graphics.UnloadAnimation(alertAnim);
    alertAnim =
        LoadAnimation(table.GetString("alertAnim", graphics.GetDefaultAnimation()->GetName()));
    alertAnimSpeed = table.GetFloat("alertAnimSpeed", 1.0f);
    illuminationRecord = "Records/Effects/EnvironmentFX/NPCEffect.dbr";
    availableForConversations = table.GetBool("isAvailableForConversations", true);
    includeInMap = table.GetBool("IncludeInMap", false);
    inHerd = table.GetBool("isInHerd", false);
    herderFor = table.GetString("isHerderFor", "");
    npcAttractor = table.GetBool("isNpcAttractor", false);
    if (npcAttractor) {
        attractionTimeMin = table.GetInt("attractionTimeMin", 3);
        attractionTimeMax = table.GetInt("attractionTimeMax", 4);
    }
    canBeAttracted = table.GetBool("canBeAttracted", true);
    dialogPakRecord = table.GetString("dialogPak", "");

    if (gEngine->IsNetworkClient()) {
        controllerRecord = kNpcStubControllerRecord;
        SetIsControllingCharacter(false);
    } else {
        controllerRecord =
            gEngine->IsLevelEditor() ? kNpcEditorControllerRecord : kNpcControllerRecord;
        SetIsControllingCharacter(true);
    }
    LoadController();
}

void Npc::LoadController()
{
    auto* controller =
        ObjectManager::Instance().CreateObjectFromFile<ControllerBaseCharacter>(controllerRecord);
    if (controller != nullptr)
        SetControllerId(controller->GetObjectId());
    controllerRecord.clear();
}

void Npc::SetController(const std::string& recordName)
{
    if (gEngine->IsLevelEditor())
        return;
    // SetControllerId destroys the controller it replaces.
    SetControllerId(0);
    controllerRecord = recordName;
    LoadController();
    // A herd swaps controllers after the townsperson started: the new one must drive it too.
    if (auto* controller = ObjectManager::Instance().GetObject<Controller>(controllerId))
        controller->AttachParent(GetObjectId());
    skillManager.SetAsControllingManager();
}

void Npc::InitialUpdate()
{
    if (!gEngine->IsLevelEditor() && !dialogPakRecord.empty())
        Dialog_ReplaceStatic(dialogPakRecord.c_str(), nullptr, false);
    if (auto* controller = ObjectManager::Instance().GetObject<Controller>(controllerId))
        controller->AttachParent(GetObjectId());
    RestorePlayerInteractionState();
    Character::InitialUpdate();

    homePlacement = GetCoords();
    frontPlacement = homePlacement;
    Coords placement = frontPlacement.GetRegionCoords();
    placement.origin += placement.forward * 2.0f;
    frontPlacement.SetRegionCoords(placement);

    if (inHerd)
        NpcHerdManager::Get().AddToHerd(GetObjectName(), GetObjectId());
    else if (!herderFor.empty())
        NpcHerdManager::Get().SetHerdHerder(herderFor, GetObjectId());
}

void Npc::OnPlayerInteract(uint32_t playerId, bool /*flag1*/, bool /*flag2*/)
{
    Converse(playerId);
    const auto found = dispenseItems.find(playerId);
    if (found == dispenseItems.end() || found->second.empty())
        return;
    const Player* player = GetLocalPlayer();
    if (player == nullptr || player->HasItem(found->second))
        return;
    if (Item* item = ObjectManager::Instance().CreateObjectFromFile<Item>(found->second))
        DropItem(item, 0.5f, 0.5f);
}

void Npc::SetDispenseItem(uint32_t playerId, const std::string& itemRecord)
{
    dispenseItems[playerId] = itemRecord;
}

Player* Npc::GetLocalPlayer()
{
    return gGameEngine != nullptr ? gGameEngine->GetMainPlayer() : nullptr;
}

bool Npc::ShouldLoadLoot() const
{
    return !gEngine->IsNetworkClient();
}

bool Npc::IsOfInterest() const
{
    return HasDialog() || IsBoatMasterForLocalPlayer();
}

bool Npc::IsAvailableForConversations() const
{
    return availableForConversations && !inSidelineConversation && conversationCoolDown < 1;
}

// Social targets.

bool Npc::WillYouChat(uint32_t otherId)
{
    socialTargets.push_back(otherId);
    return true;
}

uint32_t Npc::GetSocialTarget() const
{
    return socialTargets.empty() ? 0 : socialTargets.front();
}

void Npc::AddSocialTarget(uint32_t id)
{
    if (std::find(socialTargets.begin(), socialTargets.end(), id) == socialTargets.end())
        socialTargets.push_back(id);
}

void Npc::DeleteSocialTarget(uint32_t id)
{
    const auto found = std::find(socialTargets.begin(), socialTargets.end(), id);
    if (found != socialTargets.end())
        socialTargets.erase(found);
}

bool Npc::IsChattingWithPlayer(uint32_t playerId) const
{
    return std::find(socialTargets.begin(), socialTargets.end(), playerId) != socialTargets.end();
}

// Herds and attraction.

bool Npc::CanBeAttracted() const
{
    return ignoreAttractionTime > 0 ? false : canBeAttracted;
}

int32_t Npc::GetAttractionTime() const
{
    if (!npcAttractor)
        return 0;
    return GameEngine::Get().GetRandomGen().IGenerate(SaturateToInt(attractionTimeMin * 1000.0),
                                                      SaturateToInt(attractionTimeMax * 1000.0));
}

// Queries.

float Npc::GetMinRotationSpeed() const
{
    if (pathGenerationStyle == CharacterPathGeneration_Sheep)
        return GetMotion().Length() * 0.25f * 3.0f;
    return Character::GetMinRotationSpeed();
}

float Npc::GetMaxRotationSpeed() const
{
    if (pathGenerationStyle == CharacterPathGeneration_Sheep)
        return GetMotion().Length() * 0.25f * 9.0f;
    return Character::GetMaxRotationSpeed();
}

namespace {

// Infinite without a player or a common frame.
float SquaredDistanceToPlayer(const Npc& npc, const Player& player)
{
    const World* world = gEngine->GetWorld();
    if (world == nullptr)
        return gPositiveInfinity;
    return world->GetDistanceSquared(player.GetCoords().GetPosition(),
                                     npc.GetCoords().GetPosition());
}

} // namespace

float Npc::GetDistanceToPlayer() const
{
    const Player* player = GetLocalPlayer();
    return player != nullptr ? Sqrt(SquaredDistanceToPlayer(*this, *player)) : 0.0f;
}

float Npc::GetDialogFade() const
{
    const Player* player = GetLocalPlayer();
    if (player == nullptr)
        return 0.0f;
    const float squared = SquaredDistanceToPlayer(*this, *player);
    return Clamp(1.0f - (squared - 9.0f) * kDialogFadeRate, 0.0f, 1.0f);
}

bool Npc::IncludeInMap() const
{
    return includeInMap && GetVisibility();
}

void Npc::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    if (!IncludeInMap())
        return;
    MinimapGameNugget nugget;
    nugget.type = 2;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(std::move(nugget));
}

} // namespace GAME
