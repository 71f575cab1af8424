#include "characters/CharacterFileManager.h"

#include "engine/FileSystem.h"

#include <algorithm>

namespace GAME {

CharacterFileManager& CharacterFileManager::Get()
{
    static CharacterFileManager instance;
    return instance;
}

void CharacterFileManager::ScanOnce()
{
    if (scanned)
        return;
    scanned = true;
    for (std::string& name : FileSystem::Instance().GetMatchingFiles("*.chr"))
        files.push_back(std::move(name));
}

void CharacterFileManager::AddCharacterFile(const std::string& name)
{
    ScanOnce();
    files.push_back(name);
}

void CharacterFileManager::RemoveCharacterFile(const std::string& name)
{
    const auto found = std::find(files.begin(), files.end(), name);
    if (found != files.end())
        files.erase(found);
}

void CharacterFileManager::GetCharacterFiles(std::vector<std::string>& out)
{
    ScanOnce();
    out = files;
}

} // namespace GAME
