#pragma once

#include "engine/FilterFunction.h"

namespace GAME {

class Entity;
class CharacterAction;

// Predicates for the world's entity listing. A null entity is accepted by none of them.

class FilterGetAllPlayers : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override;
};

class FilterGetAllTrafficNodes : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override;
};

class FilterGetEndPortals : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override;
};

class FilterGetPlayerSpawnPoint : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override;
};

// What a server creates on its clients, as each entity itself decides.
class FilterGetSpawnObjects : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override;
};

// Predicates for the character action handler. They let every action through and never look at
// it, so a null action passes too.

class FilterCharacterAction : public FilterFunction<CharacterAction> {
public:
    bool operator()(const CharacterAction* candidate) const override;
};

// The two mount filters are reached only through their base, by the action handler.
class FilterMountAction : public FilterFunction<CharacterAction> {
private:
    bool operator()(const CharacterAction* candidate) const override;
};

class FilterMountedCharacterAction : public FilterFunction<CharacterAction> {
private:
    bool operator()(const CharacterAction* candidate) const override;
};

} // namespace GAME
