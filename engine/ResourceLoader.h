#pragma once

#include <string>
#include <vector>

namespace GAME {

// The background loader that warms resources before they are first drawn. It loads nothing
// here; it records every request in order.
class ResourceLoader {
public:
    struct Request {
        std::string name;
        bool flag = false;
    };

    static ResourceLoader& Instance();

    void EnqueueResource(const std::string& name, bool flag);
    const std::vector<Request>& GetRequests() const { return requests; }
    void Reset() { requests.clear(); }

private:
    std::vector<Request> requests;
};

} // namespace GAME
