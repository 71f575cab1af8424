#include "host/LevelNetworkPlay.h"

#include "characters/Character.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "host/HostOptions.h"
#include "host/LevelPlay.h"
#include "quests/QuestRepository.h"

#include <ostream>

namespace GAME {

namespace {
class IsCharacter final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<const Character>(candidate) != nullptr;
    }
};
} // namespace

LevelNetworkPlay::LevelNetworkPlay(const HostOptions& options, std::ostream& out,
                                   std::ostream& err)
    : NetworkPlay(options, out, err),
      levelPath(options.levelFile.empty() ? LevelPlay::kLevel : options.levelFile)
{}

bool LevelNetworkPlay::MakeRegions()
{
    std::string text;
    std::string error;
    if (!ObjectManager::Instance().GetDatabase().ReadFile(levelPath, text) ||
        !LevelFile::Parse(text, levelPath, level, error)) {
        err << "gamehost: the level " << levelPath << " cannot be used " << error << '\n';
        return false;
    }
    World& world = *gEngine->GetWorld();
    world.AddQuestFile(LevelPlay::kQuest);
    QuestRepository::Destroy();
    QuestRepository::Get().Load();
    if (options.role == "server")
        return world.LoadLevel(levelPath, nullptr);
    for (const LevelFile::RegionLine& region : level.regions)
        world.CreateRegion(region.id, region.offset, region.bounds);
    return true;
}

bool LevelNetworkPlay::StageServer()
{
    std::vector<Entity*> characters;
    gEngine->GetWorld()->GetEntities(characters, IsCharacter());
    for (Entity* entity : characters) {
        auto* character = static_cast<Character*>(entity);
        character->GetCharacterBio().Update(*character, 0);
    }
    return MakeHero(0) != nullptr;
}

WorldVec3 LevelNetworkPlay::StartOf(int host) const
{
    const Vec3 start = level.entities.empty() ? Vec3() : level.entities.front().position;
    const uint32_t region = level.entities.empty() ? 1 : level.entities.front().regionId;
    return WorldVec3(region, start + Vec3(0.0f, 0.0f, 2.0f * static_cast<float>(host)));
}

bool LevelNetworkPlay::IsDone() const
{
    return GetElapsedMs() >= kPlayMs;
}

void LevelNetworkPlay::Unstage()
{
    QuestRepository::Get().WaitDone();
    QuestRepository::Destroy();
    gEngine->GetWorld()->ClearQuestFiles();
}

} // namespace GAME
