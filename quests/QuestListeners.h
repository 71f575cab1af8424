#pragma once

namespace GAME {

class GameEvent_CreatureDeath;
class GameEvent_CreatureInitialUpdate;
class GameEvent_GenericEntity;
class QuestNetMsg_ProxySpawn;

// What quest conditions and actions wait for through the repository, by record name. Each
// leaves every repository map when it goes, so the editor may delete one at any time.
class CreatureDeathListener {
public:
    virtual void OnCreatureDeath(const GameEvent_CreatureDeath& event) = 0;

protected:
    ~CreatureDeathListener();
};

class CreatureInitialUpdateListener {
public:
    virtual void OnCreatureInitialUpdate(const GameEvent_CreatureInitialUpdate& event) = 0;

protected:
    ~CreatureInitialUpdateListener();
};

class GenericEntityInitialUpdateListener {
public:
    virtual void OnGenericEntityInitialUpdate(const GameEvent_GenericEntity& event) = 0;
    // The same news from the server of a network game.
    virtual void OnGenericEntityInitialUpdate_Net(const QuestNetMsg_ProxySpawn& /*message*/) {}

protected:
    ~GenericEntityInitialUpdateListener();
};

} // namespace GAME
