#pragma once

#include "core/EquationInterface.h"
#include "core/PlayerInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class ItemReplicaInfo;
template <typename T> class DesignerEquation;

// Turns a gold record into piles of gold pick-ups: whether anything drops, how much, how it is
// split and which gold actor each pile shows. Every draw comes from the game's shared generator,
// so peers that share its state drop the same piles.
class GoldGenerator : public EquationInterface<float> {
public:
    // A record may ask for any number of piles; more than this would only be noise on the floor
    // and, with empty piles allowed, a loop without end.
    static constexpr int32_t kMaxPiles = 256;

    GoldGenerator();
    ~GoldGenerator();
    GoldGenerator(const GoldGenerator&) = delete;
    GoldGenerator& operator=(const GoldGenerator&) = delete;

    void LoadFromDatabase(const std::string& record);

    // Percent; 0 or less always drops.
    void SetChance(float value) { chance = value; }
    void SetGeneratorLevel(float level);
    void SetMonsterExperience(float experience);
    void SetPlayerLevel(float level);

    // Appends one item per pile: the gold actor as base name, the amount as var1.
    void RunGenerator(std::vector<ItemReplicaInfo>& out);
    // Piles adding up to amount, each but the last leaving at least goldSplitSizeMin over.
    void SplitGold(int32_t amount, std::vector<int32_t>& piles);
    // Empty when the record names no actor.
    std::string GetGoldActor();

    bool GetDesignerVariable(const char* name, float& value) override;

    int32_t GetMonsterExperience() const { return monsterExperience; }

private:
    void LoadEquation(const std::string& text, std::unique_ptr<DesignerEquation<float>>& equation,
                      const char* failure);
    int32_t Evaluate(const std::unique_ptr<DesignerEquation<float>>& equation, int32_t absent);

    float chance = 100.0f;
    PlayerInfo playerInfo;
    int32_t currentPlayerLevel = 0;
    int32_t generatorLevel = 0;
    int32_t monsterExperience = 0;
    std::unique_ptr<DesignerEquation<float>> goldAmountEquation;
    std::unique_ptr<DesignerEquation<float>> goldAmountEquation2;
    int32_t goldValueMin = 0;
    int32_t goldValueMax = 0;
    int32_t goldSplitMin = 0;
    int32_t goldSplitMax = 0;
    int32_t goldSplitSizeMin = 0;
    std::vector<std::string> goldActors;
};

} // namespace GAME
