#pragma once

#include "multiplayer/MarketItemStatus.h"
#include "multiplayer/PacketFields.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The merchants' markets: requests from a client (C2S) and the server's answers (S2C).

class MarketC2SUpdateRequestPacket : public FieldPacket<MarketC2SUpdateRequestPacket> {
public:
    MarketC2SUpdateRequestPacket() : FieldPacket(49) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
    }

    uint32_t marketId = 0;
};

// A purchase and a sale back carry the same five words.
template <typename Derived> class MarketC2SItemPacket : public FieldPacket<Derived> {
public:
    explicit MarketC2SItemPacket(uint32_t type) : FieldPacket<Derived>(type) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
        v.Field("Level: ", p.level);
        v.Field("Seed: ", p.seed);
        v.Field("Item Index: ", p.itemIndex);
        v.Field("Buyer Id: ", p.buyerId);
    }

    uint32_t marketId = 0;
    uint32_t level = 0;
    uint32_t seed = 0;
    uint32_t itemIndex = 0;
    uint32_t buyerId = 0;
};

class MarketC2SSellBackPacket : public MarketC2SItemPacket<MarketC2SSellBackPacket> {
public:
    MarketC2SSellBackPacket() : MarketC2SItemPacket(50) {}
};

class MarketC2SPurchaseRequestPacket : public MarketC2SItemPacket<MarketC2SPurchaseRequestPacket> {
public:
    MarketC2SPurchaseRequestPacket() : MarketC2SItemPacket(51) {}
};

class MarketS2CStatusUpdatePacket : public FieldPacket<MarketS2CStatusUpdatePacket> {
public:
    MarketS2CStatusUpdatePacket() : FieldPacket(52) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
        v.Field("Item Index: ", p.itemIndex);
        v.Field("Status: ", p.status);
    }

    uint32_t marketId = 0;
    uint32_t itemIndex = 0;
    MarketItemStatus status = MarketItemStatus_Available;
};

class MarketS2CPurchaseDeniedPacket : public FieldPacket<MarketS2CPurchaseDeniedPacket> {
public:
    MarketS2CPurchaseDeniedPacket() : FieldPacket(53) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
        v.Field("Item Index: ", p.itemIndex);
        v.Field("Buyer Id: ", p.buyerId);
        v.Field("Status: ", p.status);
    }

    uint32_t marketId = 0;
    uint32_t itemIndex = 0;
    uint32_t buyerId = 0;
    MarketItemStatus status = MarketItemStatus_Available;
};

class MarketS2CPurchaseConfirmationPacket
    : public FieldPacket<MarketS2CPurchaseConfirmationPacket> {
public:
    MarketS2CPurchaseConfirmationPacket() : FieldPacket(54) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
        v.Field("Item Index: ", p.itemIndex);
        v.Field("Buyer Id: ", p.buyerId);
    }

    uint32_t marketId = 0;
    uint32_t itemIndex = 0;
    uint32_t buyerId = 0;
};

class MarketS2CUpdatePacket : public FieldPacket<MarketS2CUpdatePacket> {
public:
    MarketS2CUpdatePacket() : FieldPacket(55) {}
    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Market Id: ", p.marketId);
        v.FileName("Market Name: ", p.marketName);
        v.Field("Level: ", p.level);
        v.Field("Seed: ", p.seed);
        v.Records(
            p.soldIndices, kPacketWordBytes,
            [](auto& w, auto& index) { w.Field("  Item Index: ", index); }, "Sold Item Index Size");
    }

    uint32_t marketId = 0;
    std::string marketName;
    uint32_t level = 0;
    uint32_t seed = 0;
    std::vector<uint32_t> soldIndices;
};

} // namespace GAME
