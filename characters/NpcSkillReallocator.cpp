#include "characters/NpcSkillReallocator.h"

#include "characters/Player.h"
#include "game/GameEngine.h"
#include "game/MinimapGameNugget.h"
#include "quests/MerchantDialogPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(NpcSkillReallocator, Npc);

NpcSkillReallocator::NpcSkillReallocator()
{
    SetDialogType(DialogType_Reallocation);
}

NpcSkillReallocator::~NpcSkillReallocator() = default;

void NpcSkillReallocator::Load(const LoadTable& table)
{
    Npc::Load(table);
    AttachPunctuation("Records/Effects/ObjectEffects/Reallocation01.dbr");
}

void NpcSkillReallocator::Dialog_ReplaceStatic(const char* fileName,
                                               Action_UpdateNPCDialog* /*action*/, bool /*played*/)
{
    DialogPak* old = dialogPak;
    dialogPak = nullptr;
    DestroyDialogPak(old);
    if (fileName != nullptr && *fileName != '\0')
        dialogPak = MerchantDialogPak::Spawn(fileName);
}

void NpcSkillReallocator::OnPlayerInteract(uint32_t playerId, bool /*flag1*/, bool /*flag2*/)
{
    const Player* player = GetLocalPlayer();
    if (player == nullptr || player->GetObjectId() != playerId)
        return;
    if (GameEngine::Get().DisplaySkillReallocationWindow(GetObjectId()))
        Dialog_Hello();
}

namespace {

void SpeakLine(DialogPak* pak, int32_t kind)
{
    auto* merchant = dynamic_cast<MerchantDialogPak*>(pak);
    if (merchant == nullptr)
        return;
    merchant->SetSelectionKind(kind);
    merchant->Speak(nullptr);
}

} // namespace

void NpcSkillReallocator::Dialog_Hello()
{
    // The greeting asks for kind 2, which the pak says as one of its short lines.
    SpeakLine(dialogPak, MerchantDialogPak::SelectShort);
}

void NpcSkillReallocator::Dialog_Goodbye()
{
    SpeakLine(dialogPak, MerchantDialogPak::SelectGoodbye);
}

void NpcSkillReallocator::AppendDetailMapData(std::vector<MinimapGameNugget>& list) const
{
    MinimapGameNugget nugget;
    nugget.type = 10;
    nugget.text = GetGameDescription(false);
    nugget.position = GetCoords().GetPosition();
    nugget.facing = GetCoords().GetRegionCoords().forward;
    list.push_back(std::move(nugget));
}

} // namespace GAME
