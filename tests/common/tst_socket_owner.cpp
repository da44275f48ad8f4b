// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/socket_owner.h"
#include "foreign_account.h"
#include "raw_http_server.h"
#include "services/http_client.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace orbisk {
namespace {

std::string Tables() {
    std::ifstream file(std::string(ORBISK_TEST_DATA_DIR) + "/network/proc_net_tcp.txt");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TcpEnd End(const std::string& ip, uint16_t port) {
    const auto end = TcpEnd::Parse(ip, port);
    EXPECT_TRUE(end) << ip;
    return end.value_or(TcpEnd{});
}

TEST(SocketOwners, TellEveryListenerThatIsNotTheUsers) {
    const SocketOwners owners(Tables());
    const struct {
        const char* ip;
        uint16_t port;
        unsigned user;
        std::optional<unsigned> foreign;
    } cases[] = {
        {"127.0.0.1", 8642, 1000, 1001},         // another account's server
        {"127.0.0.1", 8642, 1001, std::nullopt}, // its owner's own
        {"127.0.0.1", 2024, 1000, 0},            // bound to every address
        {"127.0.0.1", 8700, 1000, 1002},         // IPv6 wildcard, dual-stack
        {"::1", 8710, 1000, 1003},
        {"127.0.0.1", 8650, 1000, std::nullopt}, // the user's own
        {"127.0.0.1", 8651, 1000, std::nullopt}, // malformed line
        {"127.0.0.1", 8652, 1000, std::nullopt}, // cut line
        {"127.0.0.1", 9999, 1000, std::nullopt}, // nobody listens
    };
    for (const auto& c : cases)
        EXPECT_EQ(owners.ForeignListener(End(c.ip, c.port), c.user), c.foreign)
            << c.ip << ":" << c.port;
}

TEST(SocketOwners, TellTheOwnerOfEachEndOfAConnection) {
    const SocketOwners owners(Tables());
    EXPECT_EQ(owners.Connected(End("127.0.0.1", 8642), End("127.0.0.1", 40000)), 1001u);
    EXPECT_EQ(owners.Connected(End("127.0.0.1", 40000), End("127.0.0.1", 8642)), 1000u);
    EXPECT_EQ(owners.Connected(End("127.0.0.1", 8720), End("127.0.0.1", 40960)), 1004u);
    EXPECT_EQ(owners.Connected(End("127.0.0.1", 8642), End("127.0.0.1", 40001)), std::nullopt);
}

TEST(SocketOwners, OnlyLoopbackHostsAreChecked) {
    for (const char* host : {"example.com", "10.0.0.1:8642", "localhost:notaport", ""})
        EXPECT_EQ(ForeignLoopbackServer(host), "") << host;
    EXPECT_EQ(End("127.0.0.2", 1).IsLoopback(), true);
    EXPECT_EQ(End("::1", 1).IsLoopback(), true);
    EXPECT_EQ(End("192.168.1.1", 1).IsLoopback(), false);
    EXPECT_EQ(End("::1", 8642).Text(), "[::1]:8642");
}

// The client starts the user's server only where nothing listens.
TEST(SocketOwners, AnAbsentLoopbackServerIsTold) {
    test::RawHttpServer listening("HTTP/1.1 200 OK\r\n\r\n");
    EXPECT_FALSE(LoopbackServerAbsent(listening.Host()));
    EXPECT_TRUE(LoopbackServerAbsent(test::ClosedLoopbackHost()));
    EXPECT_FALSE(LoopbackServerAbsent("example.com:8642"));
}

// The other account's server must not receive a byte, and the user is told why.
TEST(SocketOwners, AnotherAccountsServerIsSentNothing) {
    test::ForeignListener stranger;
    if (!stranger.Running())
        GTEST_SKIP() << "only root can start a server as another account";
    const HttpAnswer get = HttpClient().Get(stranger.Host(), "/services/zip?zip=10004", "");
    ASSERT_FALSE(get);
    EXPECT_FALSE(HttpClient().Post(stranger.Host(), "/map/", "QLM=1", ""));
    // The user is told whose server it is, not only that the call failed.
    const std::string reason = get.error().reason;
    EXPECT_NE(reason.find("belongs to another user, nobody (uid 65534)"), std::string::npos)
        << reason;
    EXPECT_NE(ForeignLoopbackServer("localhost:" + std::to_string(stranger.Port())), "");
    EXPECT_EQ(stranger.BytesReceived(), 0);
}

} // namespace
} // namespace orbisk
