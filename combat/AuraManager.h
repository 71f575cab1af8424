#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Actor;

// One aura on its owner: the entity made from a record, and how long it stays.
struct AuraContainer {
    AuraContainer(const std::string& recordName, uint32_t entityId, bool permanent,
                  int32_t timeRemaining);
    ~AuraContainer();
    AuraContainer(const AuraContainer&) = default;
    AuraContainer& operator=(const AuraContainer&) = default;

    std::string recordName;
    uint32_t entityId;
    // A permanent aura never times out; it stays until removed.
    bool permanent;
    int32_t timeRemaining; // milliseconds
};

// The auras attached to one owner (a character or a fixed world item), in the order they were
// added. The entities belong to the object manager and are destroyed there by id; destroying
// the manager alone leaves them alive.
class AuraManager {
public:
    AuraManager();
    ~AuraManager();

    // The aura entity's object id; 0 for an empty name or a record that makes no entity.
    uint32_t AddAura(Actor& owner, const std::string& recordName, bool permanent, int32_t seconds);
    // Mark every matching aura to go on the next update, permanent ones included.
    void RemoveAura(uint32_t id);
    void RemoveAura(const std::string& recordName);
    void Update(Actor& owner, int32_t elapsedMs);
    // Every aura goes at once, permanent or not.
    void Clear(Actor& owner);

private:
    static void Release(Actor& owner, const AuraContainer& aura);

    std::vector<AuraContainer> auras;
};

} // namespace GAME
