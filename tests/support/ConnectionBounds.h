#pragma once

#include "engine/ConnectionManager.h"

namespace GAME {

// The transport's bounds as only the tests set them, lowered or shortened for the links made
// from then on.
class ConnectionBounds {
public:
    static void SetLinkTimeout(ConnectionManager& link, uint32_t milliseconds)
    {
        link.linkTimeoutMs = milliseconds;
        link.admission.SetSilence(milliseconds);
    }
    static void SetAdmissionDeadlines(ConnectionManager& link, uint32_t handshakeMs,
                                      uint32_t joinMs)
    {
        link.admission.SetDeadlines(handshakeMs, joinMs);
    }
    static void SetMaxHeldBytes(ConnectionManager& link, size_t bytes)
    {
        link.maxHeldBytes = bytes;
    }
    static void SetMaxWaitingBytes(ConnectionManager& link, size_t bytes)
    {
        link.maxWaitingBytes = bytes;
    }
    static void SetMaxBacklogBytes(ConnectionManager& link, size_t bytes)
    {
        link.maxBacklogBytes = bytes;
    }
    static void SetMaxBacklogMs(ConnectionManager& link, uint32_t milliseconds)
    {
        link.maxBacklogMs = milliseconds;
    }
    static void SetMaxMessageBytes(ConnectionManager& link, size_t bytes)
    {
        link.maxMessageBytes = bytes;
    }
};

} // namespace GAME
