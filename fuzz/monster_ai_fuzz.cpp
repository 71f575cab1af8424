// A monster thinks with a hostile AI record (its personality and its skill slots in one; see
// fuzz/CharacterInput.h, whose last piece it is): beside a plain ally, which it follows when the
// input's length is odd, and a plain enemy, it is hurt, scared, taunted, stunned, trapped and
// confused over frames long and short, asked for skills, ranges and its ally's needs, then
// killed: no crash, no hang, its grudges and clocks stay numbers, its place stays finite, and
// nothing it made outlives the input.
#include "ai/ControllerMonster.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Coords.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/CharacterInput.h"
#include "fuzz/InputStart.h"
#include "fuzz/RecordInput.h"
#include "fuzz/StandingCharacter.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// The frames it thinks over, one prod each (see Prod), long and short.
constexpr int32_t kThinkFrameMs[] = {0, 33, 450, 1000, 16, 1 << 30, 5000, INT32_MAX};

bool FinitePlace(Character& character)
{
    const Vec3 at = character.GetPathPosition().GetRegionPosition();
    return std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z);
}

constexpr Vec3 kAllyAt(2.0f, 0.0f, 2.0f);
constexpr Vec3 kEnemyAt(3.0f, 0.0f, 0.0f);

Monster* Spawn(const char* record, const Vec3& place)
{
    auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(record);
    if (monster == nullptr)
        abort();
    const WorldCoords at{kRegion, Coords::FromTranslation(place)};
    gEngine->GetWorld()->AddEntity(monster, at, false);
    monster->SetSpawnPoint(at);
    monster->InitialUpdate();
    monster->GetCharacterBio().Update(*monster, 0);
    return monster;
}

ControllerMonster* MindOf(const Monster& monster)
{
    return ObjectManager::Instance().GetObject<ControllerMonster>(monster.GetControllerId());
}

// The notifications and questions a thinking monster hears in a frame.
void Prod(ControllerMonster& controller, Monster& self, uint32_t enemyId, uint32_t allyId,
          size_t frame)
{
    // A plain number, then a hostile one that the next frame thinks with.
    switch (frame) {
    case 0:
        controller.UnderAttack(enemyId);
        break;
    case 1:
        controller.AllyAttacked(allyId, enemyId);
        controller.ProjectileNotification(enemyId);
        break;
    case 2:
        controller.ScareMe(enemyId, 1e30f);
        controller.ScareMe(enemyId, std::nanf(""));
        break;
    case 3:
        controller.TauntMe(50.0f, enemyId);
        controller.TauntMe(-1e30f, enemyId);
        controller.BeginStun();
        controller.EndStun();
        break;
    case 4:
        controller.BeginImmobilize();
        controller.BeginTrap();
        controller.EndTrap();
        controller.EndImmobilize();
        break;
    case 5:
        controller.Confuse(700);
        controller.Confuse(INT32_MAX);
        self.SubtractLife(self.GetCurrentLife() * 0.6f, PlayStatsDamageType{});
        break;
    case 6:
        controller.TauntMe(std::nanf(""), 0);
        controller.ScareMe(0, 2.0f);
        break;
    default:
        controller.Panic(enemyId);
        break;
    }
    for (const bool check : {false, true})
        controller.ChooseBestSkill(enemyId, check);
    for (const SkillUseRange range : {SkillUseRange_None, SkillUseRange_Short, SkillUseRange_Medium,
                                      SkillUseRange_Long, static_cast<SkillUseRange>(-7)})
        controller.IsSkillInProperRange(enemyId, range);
    controller.ChooseBestBuffSelfSkill();
    controller.ChooseBestAllyToBuff();
    controller.ShouldHealAlly(allyId);
    controller.CanFlee();
    controller.GetHomePosition();
}

// A monster of the AI record beside an ally and an enemy, over frames of every length,
// prodded between them, following its ally or not as `follows` says; then killed, its death run
// and everything it made removed.
void Think(Character& enemy, Character& ally, bool follows)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t firstId = objects.CreateObjectID();
    Monster* self = Spawn(kThinkerRecord, Vec3(0.0f, 0.0f, 0.0f));
    if (follows)
        self->SetLeader(ally.GetObjectId());
    ControllerMonster* mind = MindOf(*self);
    if (mind == nullptr)
        abort(); // the record's class is forced
    const uint32_t selfId = self->GetObjectId();
    const uint32_t enemyId = enemy.GetObjectId();
    for (size_t frame = 0; frame < std::size(kThinkFrameMs); ++frame) {
        Prod(*mind, *self, enemyId, ally.GetObjectId(), frame);
        mind->Update(kThinkFrameMs[frame]);
        // A monster may kill itself (a lifetime, an enemy in its death range).
        if (objects.GetObject<Monster>(selfId) != self || (mind = MindOf(*self)) == nullptr)
            break;
        // Whatever the rates, the grudge and the anger clock stay numbers, and its place too.
        if (!std::isfinite(mind->GetAngerManager().GetAnger(enemyId)) ||
            !std::isfinite(mind->GetAngerTimer()) || !FinitePlace(*self))
            abort();
    }
    if (mind != nullptr) {
        mind->KillMe();
        mind->CreateDropMiscItems();
        for (const int32_t ms : {0, 33, 1000, 33})
            mind->Update(ms);
    }
    ClearWorld({&enemy, &ally});
    DestroyMadeSince(firstId);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartGame(nullptr);
    const FuzzRecords records =
        PutPieces(std::string_view(reinterpret_cast<const char*>(data), size), Piece_MonsterAI,
                  {Piece_MonsterAI});
    // The ally and the enemy are plain: they stand for the whole run, whole again for each input.
    static StandingCharacter standingAlly([] { return Spawn(kPlainMonsterRecord, kAllyAt); },
                                          WorldVec3(kRegion, kAllyAt));
    static StandingCharacter standingEnemy(
        [] {
            Monster* enemy = Spawn(kPlainMonsterRecord, kEnemyAt);
            enemy->SetTeam(TeamManager::DefaultPlayerTeam());
            return enemy;
        },
        WorldVec3(kRegion, kEnemyAt));
    Character& ally = standingAlly.Get();
    Character& enemy = standingEnemy.Get();
    const InputStart start;
    const Census before;
    Think(enemy, ally, size % 2 == 1);
    CheckNothingLeft(before);
    EndInput(start);
    ForgetInputRecords(records);
    return 0;
}
