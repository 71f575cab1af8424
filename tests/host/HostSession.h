#pragma once

#include "engine/ConnectionManager.h"
#include "tests/host/HostRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HostileServer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace GAME::Test {

// Services a connection of the test's own until `done` or the time is up.
inline void Pump(
    ConnectionManager& connection, std::chrono::milliseconds time,
    const std::function<bool()>& done = [] { return false; })
{
    for (const auto end = ChildProcess::Clock::now() + time;
         ChildProcess::Clock::now() < end && !done();
         std::this_thread::sleep_for(std::chrono::milliseconds(5))) {
        connection.Service();
        connection.Flush();
    }
}

// A server and its clients, each a gamehost of its own, all killed by the watchdog at the end.
class HostSession : public ::testing::Test {
protected:
    using Clock = ChildProcess::Clock;

    // `common` goes to every program after the database.
    explicit HostSession(std::vector<std::string> common) : common(std::move(common)) {}

    void StartServer(int clients, std::chrono::seconds watchdog,
                     const std::vector<std::string>& extra = {})
    {
        deadline = Clock::now() + watchdog;
        std::vector<std::string> args{"--role", "server",    "--port",
                                      "0",      "--clients", std::to_string(clients)};
        args.insert(args.end(), extra.begin(), extra.end());
        server = Start(args);
        const std::string line = server->WaitForLine("listening on 127.0.0.1:", deadline);
        ASSERT_FALSE(line.empty()) << server->Errors();
        port = static_cast<uint16_t>(std::stoi(line.substr(line.rfind(':') + 1)));
    }

    // A client of the server, or of a relay in front of it at `via`.
    ChildProcess& StartClient(uint16_t via = 0)
    {
        clients.push_back(Start(
            {"--role", "client", "--connect", "127.0.0.1:" + std::to_string(via ? via : port)}));
        return *clients.back();
    }

    // A client of `fake`, served until it says why it ends, or its end, or `time` passes.
    ChildProcess& ServeClient(HostileServer& fake, std::chrono::milliseconds time)
    {
        port = fake.GetPort();
        ChildProcess& client = StartClient();
        fake.Run(time, [&client] {
            return client.Errors().find("gamehost: ") != std::string::npos ||
                   client.Output().find("end: ") != std::string::npos;
        });
        return client;
    }

    // The second started once the first has joined; answered once it has joined too.
    ChildProcess& StartTwoClients()
    {
        StartClient();
        EXPECT_FALSE(server->WaitForLine("host 1 joined: player ", deadline).empty())
            << server->Errors();
        ChildProcess& second = StartClient();
        EXPECT_FALSE(server->WaitForLine("host 2 joined: player ", deadline).empty())
            << server->Errors();
        return second;
    }

    std::unique_ptr<ChildProcess> Start(std::vector<std::string> args)
    {
        args.insert(args.begin(), common.begin(), common.end());
        args.insert(args.begin(), {"--db", database});
        const std::string scratch = ::testing::TempDir() + "gamehost-" + std::to_string(getpid()) +
                                    "-" + std::to_string(++started);
        return std::make_unique<ChildProcess>(GAMEHOST_PROGRAM, args, scratch);
    }

    // Every program ends with 0 before the watchdog.
    void ExpectAllEnd()
    {
        for (auto& client : clients)
            EXPECT_EQ(client->Wait(deadline), 0) << client->Errors();
        EXPECT_EQ(server->Wait(deadline), 0) << server->Errors();
    }

    static std::string EndLines(const std::string& out) { return LinesStarting(out, "end: "); }
    // The members of the party: the blanks but for those before "party" and the leader.
    static long PartySize(const std::string& out)
    {
        const std::string line = LinesStarting(out, "end: party ");
        return std::count(line.begin(), line.end(), ' ') - 2;
    }

    std::vector<std::string> common;
    std::string database = SampleDatabase();
    Clock::time_point deadline;
    uint16_t port = 0;
    int started = 0;
    std::unique_ptr<ChildProcess> server;
    std::vector<std::unique_ptr<ChildProcess>> clients;
};

} // namespace GAME::Test
