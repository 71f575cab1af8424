#include "game/GameEngine.h"

#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "tests/support/GameEngineFixture.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class GameEngineProxyPools : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    static Proxy* NewProxy(uint32_t word)
    {
        auto* proxy = static_cast<Proxy*>(ObjectManager::Instance().CreateObject("Proxy"));
        proxy->SetUniqueID(UniqueId(word, 0, 0, 1));
        return proxy;
    }

    static void AddGroup(const std::string& type, const std::string& name,
                         const std::vector<const Proxy*>& members)
    {
        std::vector<UniqueId> ids;
        for (const Proxy* proxy : members)
            ids.push_back(proxy->GetUniqueID());
        InstanceGroupManager::Instance().AddGroup(InstanceGroup(type, name, ids));
    }
};

TEST_F(GameEngineProxyPools, AUniqueGroupSelectsExactlyOneProxyUntilCleared)
{
    Proxy* first = NewProxy(1);
    Proxy* second = NewProxy(2);
    Proxy* loner = NewProxy(3);
    AddGroup("Unique Proxies", "Camp", {first, second});
    AddGroup("Unique Proxies", "Empty", {});

    EXPECT_EQ(Game().GetProxyType(first), GameEngine::ProxyType_Unique);
    EXPECT_EQ(Game().GetProxyType(loner), GameEngine::ProxyType_None);
    const bool firstChosen = Game().IsUniqueProxySelected(first);
    EXPECT_NE(firstChosen, Game().IsUniqueProxySelected(second));
    EXPECT_EQ(Game().IsUniqueProxySelected(first), firstChosen) << "asked again";
    EXPECT_FALSE(Game().IsUniqueProxySelected(loner));

    // After a clear the group chooses again, and still exactly one.
    Game().ClearProxyInfo();
    EXPECT_NE(Game().IsUniqueProxySelected(first), Game().IsUniqueProxySelected(second));
}

TEST_F(GameEngineProxyPools, AnEmptyUniqueGroupSelectsNobody)
{
    Proxy* member = NewProxy(7);
    // An empty group holds no proxy, so nothing is chosen for it and nothing is stored.
    InstanceGroupManager::Instance().AddGroup(InstanceGroup("Unique Proxies", "Hollow", {}));
    EXPECT_FALSE(Game().IsUniqueProxySelected(member));
    AddGroup("Unique Proxies", "Solo", {member});
    EXPECT_TRUE(Game().IsUniqueProxySelected(member));
}

TEST_F(GameEngineProxyPools, UnifiedPoolsAreSharedByGroupAndTheLaterWins)
{
    Proxy* a = NewProxy(1);
    Proxy* b = NewProxy(2);
    Proxy* patrol = NewProxy(3);
    Proxy* loner = NewProxy(4);
    AddGroup("Unified Proxies", "Crypt", {a, b});
    // Its first group is of another type; a unique group later still types it.
    AddGroup("Patrol Points", "Road", {patrol});
    AddGroup("Unique Proxies", "Road Camp", {patrol});

    EXPECT_EQ(Game().GetProxyType(a), GameEngine::ProxyType_Unified);
    EXPECT_EQ(Game().GetProxyType(patrol), GameEngine::ProxyType_Unique);
    uint32_t pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
    Game().SetUnifiedProxyPool(a, 3);
    Game().SetUnifiedProxyPool(b, 5);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(a, pool));
    EXPECT_EQ(pool, 5u);

    Game().SetUnifiedProxyPool(patrol, 8);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(patrol, pool));
    EXPECT_EQ(pool, 8u);

    Game().SetUnifiedProxyPool(loner, 1);
    pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(loner, pool));
    EXPECT_EQ(pool, 99u);

    Game().ClearProxyInfo();
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
}

TEST_F(GameEngineProxyPools, HeroBossRegistryAndDump)
{
    Game().RegisterProxyHeroBoss("Boss");
    Game().RegisterProxyHeroBoss("Boss");
    EXPECT_TRUE(Game().IsProxyHeroBossInGame("Boss"));
    Game().UnregisterProxyHeroBoss("Boss");
    EXPECT_FALSE(Game().IsProxyHeroBossInGame("Boss"));

    InstanceGroupManager::Instance().AddGroup(
        InstanceGroup("Unique Proxies", "Camp", {UniqueId(0x1a, 2, 3, 0xff)}));
    InstanceGroupManager::Instance().AddGroup(
        InstanceGroup("Patrol Points", "Road", {UniqueId(9, 9, 9, 9)}));
    log.Clear();
    Game().DumpGroupProxyData();
    const std::vector<LogCapture::Line> expected{
        {0, "^gGroup Type (Unique Proxies)  Name (Camp)"},
        {0, "^b    ID (0x 1a 2 3 ff)"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

} // namespace
} // namespace GAME::Test
