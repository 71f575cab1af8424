// A hostile character record and the records it names (see fuzz/CharacterInput.h), the gold
// and controller records among them: a living body of the record, driven by a controller made
// from the controller record, is killed. It drops the gold its gold record gives, every pile a
// named actor, none negative, never more piles than allowed; and the gold record splits any
// amount into piles that add up to it. Nothing may crash, and nothing the kill made outlives the
// input.
#include "ai/ControllerCombat.h"
#include "characters/Character.h"
#include "engine/Coords.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/CharacterInput.h"
#include "fuzz/InputStart.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "items/GoldGenerator.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// Takes the piles the game is asked to drop instead of making them.
class GoldCatcher final : public GameEngineInboundInterface {
public:
    void CreateItem(uint32_t, const WorldCoords&, const ItemReplicaInfo& item,
                    std::wstring*) override
    {
        if (item.baseName.empty() || item.var1 > INT32_MAX || item.id == 0)
            abort();
        ++piles;
    }
    size_t piles = 0;
};

// Any amount splits into at most the allowed piles, none negative, adding up to it.
void SplitAmounts()
{
    GoldGenerator generator;
    generator.LoadFromDatabase(kGoldRecord);
    for (const int32_t amount : {INT32_MIN, -5, 0, 1, 2, 99, 123456, INT32_MAX}) {
        std::vector<int32_t> piles;
        generator.SplitGold(amount, piles);
        int64_t sum = 0;
        for (const int32_t pile : piles) {
            if (pile < 0)
                abort();
            sum += pile;
        }
        if (piles.size() > static_cast<size_t>(GoldGenerator::kMaxPiles) ||
            sum != std::max<int64_t>(amount, 0))
            abort();
    }
}

// A living body of the record, killed by a controller of the controller record.
void Kill(GoldCatcher& catcher)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t firstId = objects.CreateObjectID();
    Character* victim = objects.CreateObjectFromFile<Character>(kCharacterRecord);
    auto* controller = objects.CreateObjectFromFile<ControllerCombat>(kControllerRecord);
    // Inputs without a controller record get the plain combat layer.
    if (controller == nullptr)
        controller = static_cast<ControllerCombat*>(objects.CreateObject("ControllerCombat"));
    if (victim == nullptr || controller == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(victim, {kRegion, Coords::Identity()}, false);
    controller->AttachParent(victim->GetObjectId());
    catcher.piles = 0;
    controller->KillMe();
    if (catcher.piles > static_cast<size_t>(GoldGenerator::kMaxPiles))
        abort();
    gEngine->GetWorld()->RemoveEntity(victim);
    // The body, its controller and whatever its record gave it to carry.
    DestroyMadeSince(firstId);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static GoldCatcher catcher;
    StartGame(&catcher);
    const FuzzRecords records =
        PutPieces(std::string_view(reinterpret_cast<const char*>(data), size), Piece_Controller,
                  {Piece_Character, Piece_Controller});
    const InputStart start;
    const Census before;
    Kill(catcher);
    ClearWorld();
    SplitAmounts();
    CheckNothingLeft(before);
    EndInput(start);
    ForgetInputRecords(records);
    return 0;
}
