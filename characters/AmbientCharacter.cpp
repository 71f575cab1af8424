#include "characters/AmbientCharacter.h"

#include "ai/ControllerCombat.h"
#include "characters/TeamManager.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"

#include <string>

namespace GAME {

namespace {
const char* const kStubControllerRecord = "Records/Controllers/Player/CharacterControllerStub.dbr";
const char* const kEditorControllerRecord = "Records/Controllers/Editor/EditorController.dbr";
} // namespace

GAME_IMPLEMENT_CLASS(AmbientCharacter, Character);

AmbientCharacter::~AmbientCharacter()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* pending = objects.GetObject(pendingControllerId))
        objects.DestroyObjectEx(pending, "Project/Game/AmbientCharacter", __LINE__);
}

void AmbientCharacter::Load(const LoadTable& table)
{
    Character::Load(table);

    ObjectManager& objects = ObjectManager::Instance();
    Object* controller = nullptr;
    if (gEngine != nullptr && gEngine->IsNetworkClient()) {
        controller = objects.CreateObjectFromFile(kStubControllerRecord);
    } else if (gEngine != nullptr && gEngine->IsLevelEditor()) {
        controller = objects.CreateObjectFromFile(kEditorControllerRecord);
    } else {
        if (table.GetString("controllerType", "") == "Stooge")
            controller = objects.CreateObject("ControllerStooge");
        // Whatever the type, this creature's skills are run from here.
        GetSkillManager().SetAsControllingManager();
    }
    if (controller != nullptr)
        pendingControllerId = controller->GetObjectId();

    GetSkillManager().LoadSkills(table, 15);
    const std::string skill1 = table.GetString("skill1", "");
    if (!skill1.empty())
        skillId1 = GetSkillManager().FindSkillId(skill1);
}

void AmbientCharacter::InitialUpdate()
{
    Character::InitialUpdate();
    if (pendingControllerId != 0) {
        const uint32_t id = pendingControllerId;
        pendingControllerId = 0;
        SetControllerId(id);
        if (Controller* controller = ObjectManager::Instance().GetObject<Controller>(id))
            controller->AttachParent(GetObjectId());
    }
    if (!GetTeam().IsInitialized())
        SetTeam(TeamManager::DefaultMonsterTeam());
}

void AmbientCharacter::UnderAttack(uint32_t attackerId)
{
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(GetControllerId()))
        controller->UnderAttack(attackerId);
}

void AmbientCharacter::CreateUISummaryText(GameTextClass textClass,
                                           std::vector<GameTextLine>& lines) const
{
    LocalizationManager& texts = LocalizationManager::Instance();
    lines.emplace_back(
        textClass, texts.Format("SkillPetDescriptionHealth", bio.GetAttribute(CharAttribute_Life)),
        false);
    lines.emplace_back(
        textClass, texts.Format("SkillPetDescriptionMana", bio.GetAttribute(CharAttribute_Mana)),
        false);
    lines.emplace_back(textClass, std::wstring(), false);
    AppendHandDamageSummary(textClass, lines);
}

} // namespace GAME
