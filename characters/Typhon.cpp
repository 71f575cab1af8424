#include "characters/Typhon.h"

#include "ai/ControllerTyphon.h"
#include "characters/Player.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/ActivityManager.h"
#include "game/EndGameActivity.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"
#include "skills/SkillManager.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Typhon, Monster);

namespace {

using GodSetter = void (ControllerTyphon::*)(uint32_t, uint32_t, int32_t, int32_t, uint32_t,
                                             SkillUseRange);
struct GodAttackKeys {
    const char* prefix; // the god block's keys are the god's name, this, then the value's name
    GodSetter setter;
};
constexpr GodAttackKeys kGodAttacks[] = {
    {"SpecialAttack", &ControllerTyphon::SetGodSpecialAttack1},
    {"SpecialAttack2", &ControllerTyphon::SetGodSpecialAttack2},
    {"SpecialAttack3", &ControllerTyphon::SetGodSpecialAttack3},
    {"SpecialAttack4", &ControllerTyphon::SetGodSpecialAttack4},
    {"SpecialAttack5", &ControllerTyphon::SetGodSpecialAttack5},
};
constexpr const char* kTransferKeys[Typhon::kNumGods] = {
    "ZeusTransferSkillName", "DemeterTransferSkillName", "HadesTransferSkillName",
    "ApolloTransferSkillName"};

int32_t MsOf(const LoadTable& table, const std::string& key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key.c_str(), 0.0f)) * 1000.0);
}

} // namespace

Typhon::~Typhon()
{
    for (CharFxPak& pack : skillEffects) {
        pack.UnLoad();
        pack.SetParent(0);
    }
}

void Typhon::Load(const LoadTable& table)
{
    Monster::Load(table);
    deathVortex = table.GetString("deathVortex", "");
    wisps = table.GetString("wisps", "");
    godRays = table.GetString("godRays", "");
    auto* controller = ObjectManager::Instance().GetObject<ControllerTyphon>(GetControllerId());
    if (controller == nullptr)
        return;
    LoadGodBlocks(table, *controller);
    for (uint32_t god = 0; god < kNumGods; ++god)
        controller->SetTransferSkill(god, OwnSkillId(table, kTransferKeys[god]));
    for (uint32_t god = 0; god < kNumGods; ++god) {
        skillEffects[god].SetParent(GetObjectId());
        skillEffects[god].LoadFromDatabase(
            table.GetString((std::string(TyphonGodToName(god)) + "SkillEffect").c_str(), ""));
    }
}

void Typhon::LoadGodBlocks(const LoadTable& table, ControllerTyphon& controller)
{
    for (uint32_t god = 0; god < kNumGods; ++god) {
        for (const GodAttackKeys& keys : kGodAttacks) {
            const std::string block = std::string(TyphonGodToName(god)) + keys.prefix;
            const uint32_t skill = OwnSkillId(table, block + "SkillName");
            if (skill == 0)
                continue;
            (controller.*
             keys.setter)(god, skill, MsOf(table, block + "Timeout"), MsOf(table, block + "Delay"),
                          SaturateToUInt(table.GetFloat((block + "Chance").c_str(), 0.0f)),
                          ControllerMonster::GetSkillUseRangeFromText(
                              table.GetString((block + "Range").c_str(), "")));
        }
    }
}

uint32_t Typhon::OwnSkillId(const LoadTable& table, const std::string& key)
{
    const std::string name = table.GetString(key.c_str(), "");
    return name.empty() ? 0 : GetSkillManager().FindSkillId(name);
}

void Typhon::PreLoad(bool flag)
{
    Monster::PreLoad(flag);
    for (CharFxPak& pack : skillEffects)
        pack.PreLoad();
}

void Typhon::ImDying()
{
    Character::ImDying();
    PlaceDeathEffects();
    if (gGameEngine == nullptr)
        return;
    if (GameUIInterface* ui = gGameEngine->GetUI())
        ui->EnterEndGame();
    ActivityManager::Get().InstallActivity(new EndGameActivity());
    gGameEngine->AutoSave();
    RecordDifficultyCompleted();
}

void Typhon::PlaceDeathEffects()
{
    World* world = gEngine->GetWorld();
    const WorldCoords at(GetCoords().GetPosition());
    ObjectManager& objects = ObjectManager::Instance();
    for (const std::string* record : {&deathVortex, &wisps, &godRays}) {
        if (record->empty())
            continue;
        Entity* effect = objects.CreateObjectFromFile<Entity>(*record);
        // An effect the world will not take would be nobody's.
        if (effect != nullptr && (world == nullptr || !world->AddEntity(effect, at, false)))
            objects.DestroyObjectEx(effect, __FILE__, __LINE__);
    }
}

// Beating the game on a difficulty opens the next one; without a main player there is nobody
// to record it for.
void Typhon::RecordDifficultyCompleted()
{
    Player* player = gGameEngine->GetMainPlayer();
    if (player == nullptr)
        return;
    int32_t difficulty = gGameEngine->GetGameDifficulty();
    if (difficulty < player->GetGreatestDifficultyCompleted())
        return;
    if (difficulty != GameDifficulty_Legendary) {
        ++difficulty;
        gGameEngine->SetPlayerUnlockedLevel(true);
    }
    player->SetGreatestDifficultyCompleted(static_cast<GameDifficulty>(difficulty));
    gGameEngine->SaveGame(static_cast<GameDifficulty>(difficulty));
}

void Typhon::EnableSkillEffect(uint32_t god)
{
    if (CharFxPak* pack = GetSkillEffect(god))
        pack->Enable(true);
}

void Typhon::DisableSkillEffects()
{
    for (CharFxPak& pack : skillEffects)
        pack.Enable(false);
}

CharFxPak* Typhon::GetSkillEffect(uint32_t god)
{
    return god < kNumGods ? &skillEffects[god] : nullptr;
}

} // namespace GAME
