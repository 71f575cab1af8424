#pragma once

#include "engine/Vec2.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>

namespace GAME {

// The trade between two players; sender and receiver are player ids.
template <typename Derived> class TradePacket : public FieldPacket<Derived> {
public:
    explicit TradePacket(uint32_t type) : FieldPacket<Derived>(type) {}

    uint32_t sender = 0;
    uint32_t receiver = 0;

protected:
    template <typename V, typename P> static void VisitTraders(V& v, P& p)
    {
        v.Field("Sender: ", p.sender);
        v.Field("Receiver: ", p.receiver);
    }
};

class TradeInitiatePacket : public TradePacket<TradeInitiatePacket> {
public:
    TradeInitiatePacket() : TradePacket(38) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p) { VisitTraders(v, p); }
};

class TradeCancelPacket : public TradePacket<TradeCancelPacket> {
public:
    TradeCancelPacket() : TradePacket(39) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p) { VisitTraders(v, p); }
};

class TradeFinalizePacket : public TradePacket<TradeFinalizePacket> {
public:
    TradeFinalizePacket() : TradePacket(43) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p) { VisitTraders(v, p); }
};

class TradeSetGoldPacket : public TradePacket<TradeSetGoldPacket> {
public:
    TradeSetGoldPacket() : TradePacket(40) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitTraders(v, p);
        v.Field("goldAmount: ", p.goldAmount);
    }

    uint32_t goldAmount = 0;
};

class TradeRemoveItemPacket : public TradePacket<TradeRemoveItemPacket> {
public:
    TradeRemoveItemPacket() : TradePacket(42) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitTraders(v, p);
        v.Field("Item Id: ", p.itemId);
    }

    uint32_t itemId = 0;
};

// The item travels as its base record name followed by its replication form, which leaves the
// base name out; the position is the raw eight bytes of a Vec2.
class TradeAddItemPacket : public TradePacket<TradeAddItemPacket> {
public:
    TradeAddItemPacket() : TradePacket(41) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        VisitTraders(v, p);
        v.Hidden(p.position.x);
        v.Hidden(p.position.y);
        v.HiddenFileName(p.item.baseName);
        v.Replica(p.item);
    }

    ItemReplicaInfo item;
    Vec2 position;
};

} // namespace GAME
