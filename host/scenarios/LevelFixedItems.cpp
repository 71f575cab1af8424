#include "host/scenarios/LevelFixedItems.h"

#include "characters/Player.h"
#include "core/BinaryWriter.h"
#include "core/DialogManager.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/GraphicsAnim.h"
#include "engine/GraphicsEngine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "host/ShownName.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "world/FixedItem.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FixedItemSkill.h"
#include "world/FixedItemTeleport.h"

#include <algorithm>
#include <ostream>

namespace GAME {

namespace {

constexpr const char* kChestAnimation = "Anims/Level/ChestOpen.anm";
constexpr float kReach = 2.5f;
const UniqueId kBoatId(0, 0, 0, 0x10);
const UniqueId kLandingId(0, 0, 0, 0x11);

class IsFixedItem : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<FixedItem>(candidate) != nullptr;
    }
};

std::string Ids(const std::vector<uint32_t>& ids)
{
    std::string text = "[";
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i != 0)
            text += ' ';
        text += std::to_string(ids[i]);
    }
    return text + "]";
}

} // namespace

// Each item the game drops, named after the fixed item it falls from, then made as usual.
class LevelFixedItems::LootPrinter : public GameEngineInboundInterface {
public:
    explicit LootPrinter(LevelFixedItems& owner) : owner(owner) {}
    void CreateItem(uint32_t characterId, const WorldCoords& coords, const ItemReplicaInfo& item,
                    std::wstring* name) override
    {
        const Vec3& at = coords.GetRegionCoords().origin;
        const FixedItem* source = owner.FindAt(at.x, at.z);
        owner.Out() << "frame " << owner.frame << ": loot "
                    << (source != nullptr ? ShortName(source->GetObjectName()) : "?") << ' '
                    << ShownName(item.baseName) << " id " << item.id << " seed " << item.seed
                    << '\n';
        GameEngineInboundInterface::CreateItem(characterId, coords, item, name);
    }

private:
    LevelFixedItems& owner;
};

void LevelFixedItems::DescribeAnimations()
{
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    graphics.DescribeAnimation(kChestAnimation, {30, 30, 1.0f});
}

LevelFixedItems::LevelFixedItems(std::ostream& out, const int64_t& frame)
    : out(out), frame(frame), loot(std::make_unique<LootPrinter>(*this))
{}

LevelFixedItems::~LevelFixedItems()
{
    Actor::SetCommandObserver(nullptr);
    if (gGameEngine != nullptr && previousInterface != nullptr)
        gGameEngine->SetNetworkInterface(previousInterface);
    InstanceGroupManager::Instance().Destroy();
}

std::ostream& LevelFixedItems::Out() const
{
    return out;
}

std::string LevelFixedItems::ShortName(const std::string& record)
{
    const size_t slash = record.find_last_of("/\\");
    std::string name = slash == std::string::npos ? record : record.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return ShownName(dot == std::string::npos ? name : name.substr(0, dot));
}

FixedItem* LevelFixedItems::FindAt(float x, float z) const
{
    for (uint32_t id : items) {
        FixedItem* item = ObjectManager::Instance().GetObject<FixedItem>(id);
        const Vec3 at =
            item != nullptr ? item->GetLootDropCoords().GetRegionCoords().origin : Vec3();
        if (item != nullptr && at.x == x && at.z == z)
            return item;
    }
    return nullptr;
}

void LevelFixedItems::Begin()
{
    std::vector<Entity*> found;
    gEngine->GetWorld()->GetEntities(found, IsFixedItem());
    for (Entity* entity : found)
        items.push_back(entity->GetObjectId());
    std::sort(items.begin(), items.end());
    for (uint32_t id : items)
        states[id] = ObjectManager::Instance().GetObject<FixedItem>(id)->GetCurrentState();
    // The chest spills its loot half way through its opening.
    GraphicsEngine& graphics = GraphicsEngine::Instance();
    GraphicsAnim* opening = graphics.LoadAnimation(kChestAnimation);
    opening->AddEvent(400.0f, Name::Create("lootGen"));
    graphics.UnloadAnimation(opening);
    // The boat sails to its landing across the river.
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    groups.AddGroup(InstanceGroup("Boats", "Ferry", {kBoatId, kLandingId}));
    groups.SetEntityData(kLandingId, {1, Vec3(200, 0, 30)});

    previousInterface = gGameEngine->GetNetworkInterface();
    gGameEngine->SetNetworkInterface(loot.get());
    Actor::SetCommandObserver([this](const Actor& actor, const ActorConfigCommand& command) {
        PrintCommand(actor, command);
    });
}

// The fixed items' commands with their fields; the hero's own are not this walk's.
void LevelFixedItems::PrintCommand(const Actor& actor, const ActorConfigCommand& command)
{
    const std::string name = ShortName(actor.GetObjectName());
    const std::string line = "frame " + std::to_string(frame) + ": ";
    if (const auto* change = dynamic_cast<const FixedItemStateChangeConfigCmd*>(&command)) {
        out << line << "command FixedItemStateChangeConfigCmd " << name << " state "
            << change->GetState() << " user " << change->GetUser() << " sounds "
            << change->GetPlaySounds() << '\n';
    } else if (const auto* target = dynamic_cast<const FixedItemTargetConfigCmd*>(&command)) {
        out << line << "command FixedItemTargetConfigCmd " << name << " user " << target->GetUser()
            << " targets " << Ids(target->GetTargets()) << '\n';
        for (uint32_t id : target->GetTargets())
            out << line << "bonus " << name << " -> " << id << '\n';
    } else if (const auto* skill = dynamic_cast<const FixedItemSkillTargetConfigCmd*>(&command)) {
        out << line << "command FixedItemSkillTargetConfigCmd " << name << " user "
            << skill->GetUser() << " targets " << Ids(skill->GetTargets()) << '\n';
        const auto* item = DynamicCast<FixedItem>(&actor);
        const auto* trap =
            item != nullptr ? DynamicCast<FixedItemSkill_SpawnMonster>(item->GetSkill()) : nullptr;
        for (uint32_t id : skill->GetTargets()) {
            if (trap != nullptr)
                out << line << "trap " << name << " spawns " << ShownName(trap->GetMonsterName())
                    << " id " << id << '\n';
        }
    }
}

void LevelFixedItems::Use(FixedItem& item, uint32_t user)
{
    const std::string name = ShortName(item.GetObjectName());
    out << "frame " << frame << ": use " << name << " by " << user << '\n';
    if (item.IsLocked())
        out << "frame " << frame << ": locked " << name << '\n';
    item.RequestToUse(user);
}

void LevelFixedItems::Step(Player& hero, int32_t elapsedMs)
{
    const WorldVec3 at = hero.GetCoords().GetPosition();
    for (uint32_t id : items) {
        FixedItem* item = ObjectManager::Instance().GetObject<FixedItem>(id);
        if (item == nullptr || used[id])
            continue;
        // Measured in the hero's region, so an item of another region is never within reach
        // for sharing his region's numbers.
        Vec3 there;
        if (!item->GetCoords().GetPosition().GetPositionInRegion(at.GetRegionId(), there))
            continue;
        const Vec3 offset = there - at.GetRegionPosition();
        if (Vec3(offset.x, 0.0f, offset.z).Length() > kReach)
            continue;
        used[id] = true;
        Use(*item, hero.GetObjectId());
    }
    ActivityManager::Get().Update(elapsedMs);
    AnswerQuestions();
    PrintStates();
}

// The host's answer to every question: the hero stays on this shore.
void LevelFixedItems::AnswerQuestions()
{
    DialogManager& dialogs = GameEngine::Get().GetDialogManager();
    while (dialogs.GetNumDialog() != 0) {
        const DialogManager::Dialog dialog = dialogs.PeekTopDialog();
        dialogs.RemoveTopDialog();
        std::string tag = "?";
        for (uint32_t id : items) {
            if (const auto* boat = ObjectManager::Instance().GetObject<FixedItemTeleport>(id))
                tag = boat->GetTextTag();
        }
        out << "frame " << frame << ": question " << tag << " answered no\n";
        dialogs.AddResponse({dialog.party, false});
    }
}

void LevelFixedItems::PrintStates()
{
    for (uint32_t id : items) {
        const FixedItem* item = ObjectManager::Instance().GetObject<FixedItem>(id);
        if (item == nullptr || states[id] == item->GetCurrentState())
            continue;
        out << "frame " << frame << ": " << ShortName(item->GetObjectName()) << " state "
            << states[id] << " -> " << item->GetCurrentState() << '\n';
        states[id] = item->GetCurrentState();
    }
}

void LevelFixedItems::Restore()
{
    ObjectManager& objects = ObjectManager::Instance();
    World& world = *gEngine->GetWorld();
    for (uint32_t& id : items) {
        FixedItem* item = objects.GetObject<FixedItem>(id);
        if (item == nullptr)
            continue;
        BinaryWriter writer = BinaryWriter::ToMemory(64);
        item->SaveState(writer);
        const std::string record = item->GetObjectName();
        const WorldCoords coords = item->GetCoords();
        world.RemoveEntity(item);
        objects.DestroyObjectEx(item, "Host/LevelFixedItems", __LINE__);
        auto* rebuilt = objects.CreateObjectFromFile<FixedItem>(record);
        if (rebuilt == nullptr)
            continue;
        world.AddEntity(rebuilt, coords, true);
        BinaryReader reader(writer.GetData(), writer.GetPosition());
        rebuilt->RestoreState(reader);
        rebuilt->InitialUpdate();
        id = rebuilt->GetObjectId();
        out << "restored " << ShortName(record) << " state " << rebuilt->GetCurrentState()
            << " locked " << rebuilt->IsLocked() << '\n';
    }
    objects.ProcessDestroyedObjects();
}

} // namespace GAME
