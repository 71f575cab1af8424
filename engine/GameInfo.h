#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// What the engine knows of the game being played: difficulty, rules and names for display.
class GameInfo {
public:
    // 0 Normal, 1 Epic, 2 Legendary; anything else is clamped into that range.
    uint32_t GetDifficulty() const { return difficulty; }
    void SetDifficulty(uint32_t value) { difficulty = value > 2 ? 2 : value; }

    bool GetPvP() const { return pvp; }
    void SetPvP(bool value) { pvp = value; }

    const std::wstring& GetModName() const { return modName; }
    void SetModName(const std::wstring& value) { modName = value; }

    const std::string& GetLevelName() const { return levelName; }
    void SetLevelName(const std::string& value) { levelName = value; }

    uint32_t GetPlayerLevel() const { return playerLevel; }
    void SetPlayerLevel(uint32_t value) { playerLevel = value; }

    // The players' names as the game last listed them, and how many it counted.
    void ClearPlayerList() { playerList.clear(); }
    void AddPlayer(const std::wstring& name) { playerList.push_back(name); }
    const std::vector<std::wstring>& GetPlayerList() const { return playerList; }
    uint32_t GetNumOfPlayers() const { return numOfPlayers; }
    void SetNumOfPlayers(uint32_t value) { numOfPlayers = value; }

private:
    uint32_t difficulty = 0;
    bool pvp = false;
    std::wstring modName;
    std::string levelName;
    uint32_t playerLevel = 0;
    std::vector<std::wstring> playerList;
    uint32_t numOfPlayers = 0;
};

} // namespace GAME
