#include "engine/ResourceLoader.h"

namespace GAME {

ResourceLoader& ResourceLoader::Instance()
{
    static ResourceLoader instance;
    return instance;
}

void ResourceLoader::EnqueueResource(const std::string& name, bool flag)
{
    requests.push_back(Request{name, flag});
}

} // namespace GAME
