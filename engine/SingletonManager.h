#pragma once

#include <memory>
#include <vector>

namespace GAME {

// A process-wide object that the singleton manager owns and destroys at shut-down.
class Singleton {
public:
    virtual ~Singleton() = default;
};

// Keeps the game's singletons so that they go at shut-down, while the services their
// destructors still talk to (the event manager) exist, rather than at unload in no set order.
class SingletonManager {
public:
    static SingletonManager& Instance();

    void Register(std::unique_ptr<Singleton> singleton);
    // Hands the singleton back without destroying it; nothing for one not registered.
    std::unique_ptr<Singleton> Unregister(Singleton* singleton);
    // Newest first, as later singletons may lean on earlier ones.
    void DestroyAll();
    size_t GetCount() const { return singletons.size(); }

private:
    std::vector<std::unique_ptr<Singleton>> singletons;
};

} // namespace GAME
