#include "items/GoldGenerator.h"

#include "core/DesignerEquation_Algebra.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"

#include <algorithm>
#include <utility>

namespace GAME {

GoldGenerator::GoldGenerator() = default;
GoldGenerator::~GoldGenerator() = default;

void GoldGenerator::LoadFromDatabase(const std::string& record)
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(record);
    const LoadTable& table = objects.GetLoadTable(record);
    // The trailing blank belongs to the line designers search the log for.
    LoadEquation(table.GetString("goldAmountEquation"), goldAmountEquation,
                 "-=- GoldGenerator Equation load failure : goldAmountEquation ");
    LoadEquation(table.GetString("goldAmountEquation2"), goldAmountEquation2,
                 "-=- GoldGenerator Equation load failure : goldAmountEquation2 ");
    goldValueMin = table.GetInt("goldValueMin", 0);
    goldValueMax = table.GetInt("goldValueMax", 0);
    goldSplitMin = table.GetInt("goldSplitMin", 0);
    goldSplitMax = table.GetInt("goldSplitMax", 0);
    goldSplitSizeMin = table.GetInt("goldSplitSizeMin", 0);
    table.GetStringList("goldActors", goldActors);
}

void GoldGenerator::LoadEquation(const std::string& text,
                                 std::unique_ptr<DesignerEquation<float>>& equation,
                                 const char* failure)
{
    equation.reset();
    if (text.empty())
        return;
    auto parsed = std::make_unique<DesignerEquation_Algebra>();
    if (parsed->ParseEquation(text.c_str(), this))
        equation = std::move(parsed);
    else
        gEngine->Log(Engine::LogData, "%s", failure);
}

void GoldGenerator::SetGeneratorLevel(float level)
{
    generatorLevel = SaturateToInt(level);
}

void GoldGenerator::SetMonsterExperience(float experience)
{
    monsterExperience = SaturateToInt(experience);
}

void GoldGenerator::SetPlayerLevel(float level)
{
    currentPlayerLevel = SaturateToInt(level);
}

int32_t GoldGenerator::Evaluate(const std::unique_ptr<DesignerEquation<float>>& equation,
                                int32_t absent)
{
    // A formula may give anything; NaN and the far ends must not become undefined integers.
    return equation != nullptr ? SaturateToInt((*equation)()) : absent;
}

void GoldGenerator::RunGenerator(std::vector<ItemReplicaInfo>& out)
{
    GameEngine& game = GameEngine::Get();
    RandomUniform& random = game.GetRandomGen();
    if (chance > 0.0f && chance < random.FGenerate(0.0f, 100.0f))
        return;
    game.GetPlayerInfo(playerInfo);

    int32_t a = Evaluate(goldAmountEquation, 0);
    int32_t b = Evaluate(goldAmountEquation2, a);
    a = std::min(std::max(a, goldValueMin), goldValueMax);
    b = std::min(std::max(b, goldValueMin), goldValueMax);
    const int32_t amount = random.IGenerate(std::min(a, b), std::max(a, b));

    std::vector<int32_t> piles;
    SplitGold(amount, piles);
    for (const int32_t pile : piles) {
        std::string actor = GetGoldActor();
        if (actor.empty()) {
            gEngine->Log(Engine::LogData, "GoldGenerator:  Unable to resolve gold actor name");
            continue;
        }
        ItemReplicaInfo& item = out.emplace_back();
        item.baseName = std::move(actor);
        item.var1 = static_cast<uint32_t>(pile);
    }
}

void GoldGenerator::SplitGold(int32_t amount, std::vector<int32_t>& piles)
{
    RandomUniform& random = GameEngine::Get().GetRandomGen();
    const int32_t count = std::min(random.IGenerate(goldSplitMin, goldSplitMax), kMaxPiles);
    int32_t remaining = amount;
    if (count < 2) {
        if (remaining >= 1)
            piles.push_back(remaining);
        return;
    }
    // Wraps for a negative minimum, as peers compare it.
    const uint32_t twiceSizeMin = 2u * static_cast<uint32_t>(goldSplitSizeMin);
    for (int32_t i = 0; i < count - 1 && remaining >= 1; ++i) {
        int32_t piece = remaining;
        if (static_cast<uint32_t>(piece) > twiceSizeMin) {
            const int64_t upper = static_cast<int64_t>(piece) - goldSplitSizeMin;
            const int32_t drawn = random.IGenerate(
                goldSplitSizeMin, static_cast<int32_t>(std::min<int64_t>(upper, INT32_MAX)));
            // Only a negative minimum can draw outside: no pile below 0 or above what is left.
            piece = std::clamp(drawn, 0, remaining);
        }
        remaining -= piece;
        piles.push_back(piece);
    }
    if (remaining >= 1)
        piles.push_back(remaining);
}

std::string GoldGenerator::GetGoldActor()
{
    if (goldActors.empty())
        return std::string();
    const int32_t last = static_cast<int32_t>(goldActors.size()) - 1;
    const int32_t index = std::clamp(GameEngine::Get().GetRandomGen().IGenerate(0, last), 0, last);
    return goldActors[static_cast<size_t>(index)];
}

bool GoldGenerator::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (name == nullptr)
        return false;
    const uint32_t* info = nullptr;
    const int32_t* level = nullptr;
    switch (name[0]) {
    case 'a':
        info =
            IsDesignerName(name, "averagePlayerLevel") ? &playerInfo.averagePlayerLevel : nullptr;
        break;
    case 'm':
        info = IsDesignerName(name, "minPlayerLevel")   ? &playerInfo.minPlayerLevel
               : IsDesignerName(name, "maxPlayerLevel") ? &playerInfo.maxPlayerLevel
                                                        : nullptr;
        break;
    case 'n':
        info = IsDesignerName(name, "numberOfPlayers") ? &playerInfo.numberOfPlayers : nullptr;
        break;
    case 'g':
        info = IsDesignerName(name, "gameDifficulty") ? &playerInfo.gameDifficulty : nullptr;
        level = IsDesignerName(name, "generatorLevel") ? &generatorLevel : nullptr;
        break;
    case 'c':
        level = IsDesignerName(name, "currentPlayerLevel") ? &currentPlayerLevel : nullptr;
        break;
    default:
        break;
    }
    if (info != nullptr)
        value = static_cast<float>(*info);
    else if (level != nullptr)
        value = static_cast<float>(*level);
    else
        return false;
    return true;
}

} // namespace GAME
