// SPDX-License-Identifier: GPL-3.0-or-later
#include "foreign_account.h"
#include "http_server.h"

#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace orbisk::server {
namespace {

using namespace std::chrono_literals;

// A server with small limits, so that each limit is met in milliseconds.
class HttpServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        HttpLimits limits;
        limits.maxBodyBytes = 1024;
        limits.connectionMemory = 8 * 1024;
        limits.headerDeadline = 300ms;
        limits.threads = 2;
        server = std::make_unique<HttpServer>(limits);
        server->Route("POST", "/echo", [](const HttpRequest& request, HttpResponse& response) {
            response.Reply(request.body + "|" + request.Param("a"), "text/plain");
        });
        server->Route(
            "POST", "/big",
            [](const HttpRequest& request, HttpResponse& response) {
                response.Reply(std::to_string(request.body.size()), "text/plain");
            },
            64 * 1024);
        std::string error;
        ASSERT_TRUE(server->Bind("127.0.0.1", 0, error)) << error;
        ASSERT_TRUE(server->Start(error)) << error;
    }

    int Connect() const {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(server->Port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        timeval wait{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
        return fd;
    }

    // Sends the request whole and reads until the server closes.
    std::string Exchange(const std::string& request) const {
        const int fd = Connect();
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        std::string answer;
        char buffer[4096];
        for (ssize_t got; (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, static_cast<size_t>(got));
        ::close(fd);
        return answer;
    }

    // The body in chunks of `chunk` bytes, with no declared length.
    static std::string ChunkedPost(const std::string& path, size_t bytes, size_t chunk) {
        std::string request = "POST " + path +
                              " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n"
                              "Transfer-Encoding: chunked\r\n\r\n";
        char size[32];
        for (size_t sent = 0; sent < bytes; sent += chunk) {
            const size_t length = std::min(chunk, bytes - sent);
            std::snprintf(size, sizeof size, "%zx\r\n", length);
            request += size + std::string(length, 'x') + "\r\n";
        }
        return request + "0\r\n\r\n";
    }

    static std::string Post(const std::string& path, const std::string& body) {
        return "POST " + path + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\nContent-Type: " +
               "application/x-www-form-urlencoded\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\n\r\n" + body;
    }

    std::unique_ptr<HttpServer> server;
};

TEST_F(HttpServerTest, CapsBodiesAndHeadersPerRoute) {
    const std::pair<std::string, std::string> cases[] = {
        {Post("/echo", "a=1+2%21"), "200 OK"},
        {Post("/echo", std::string(1025, 'x')), "413"},
        {Post("/big", std::string(2000, 'x')), "200 OK"},
        {Post("/big", std::string(64 * 1024 + 1, 'x')), "413"},
        {"POST /echo HTTP/1.1\r\nHost: x\r\nContent-Length: 1073741824\r\n\r\n", "413"},
        {"GET /echo?" + std::string(10000, 'a') + " HTTP/1.1\r\nHost: x\r\n\r\n", "414"},
        {"GET /none HTTP/1.1\r\nHost: x\r\nConnection: close\r\n" + std::string(1000, 'X') +
             ": y\r\n\r\n",
         "404"},
    };
    for (const auto& [request, status] : cases) {
        const std::string answer = Exchange(request);
        EXPECT_NE(answer.substr(0, 40).find(status), std::string::npos)
            << request.substr(0, 60) << " -> " << answer.substr(0, 80);
    }
    EXPECT_NE(Exchange(Post("/echo", "a=1+2%21")).find("\r\n\r\na=1+2%21|1 2!"), std::string::npos);
}

// A chunked body past its cap is refused as a declared one is, and leaves
// the count of bodies in flight as it was: every later POST still works.
TEST_F(HttpServerTest, AChunkedBodyPastItsCapIsRefusedAndCostsNothingAfter) {
    for (int round = 0; round < 3; ++round) {
        EXPECT_NE(Exchange(ChunkedPost("/big", 80 * 1024, 4096)).substr(0, 40).find("413"),
                  std::string::npos);
        EXPECT_NE(Exchange(ChunkedPost("/echo", 2000, 700)).substr(0, 40).find("413"),
                  std::string::npos);
        EXPECT_NE(Exchange(ChunkedPost("/big", 3000, 1000)).find("\r\n\r\n3000"),
                  std::string::npos);
        EXPECT_NE(Exchange(Post("/echo", "a=1")).find("200 OK"), std::string::npos);
    }
}

// Another account's program on this machine is not served; this account's is.
TEST_F(HttpServerTest, OnlyThisAccountsLocalProgramsAreServed) {
    const std::string request = Post("/echo?a=1", "b");
    const auto stranger = test::AskAsAnotherAccount(static_cast<uint16_t>(server->Port()), request);
    if (!stranger)
        GTEST_SKIP() << "only root can connect as another account";
    EXPECT_EQ(*stranger, "");
    EXPECT_NE(Exchange(request).find("b|1"), std::string::npos);
}

TEST_F(HttpServerTest, ManyHeadersAreRefusedNotKept) {
    std::string request = "GET /none HTTP/1.1\r\nHost: x\r\n";
    for (int i = 0; i < 5000; ++i)
        request += "X-A: b\r\n";
    EXPECT_EQ(Exchange(request + "\r\n").substr(0, 12), "HTTP/1.1 431");
}

// A client that sends a byte now and then is cut at its deadline, and the
// others are served all the while.
TEST_F(HttpServerTest, SlowClientsAreCutAtTheirDeadlineWithoutStarvingOthers) {
    std::vector<int> slow;
    for (int i = 0; i < 20; ++i) {
        slow.push_back(Connect());
        ::send(slow.back(), "GET / HTTP/1.1\r\n", 16, MSG_NOSIGNAL);
    }
    for (int tick = 0; tick < 8; ++tick) {
        for (int fd : slow)
            ::send(fd, "X", 1, MSG_NOSIGNAL);
        EXPECT_NE(Exchange(Post("/echo", "a=b")).find("200 OK"), std::string::npos);
        std::this_thread::sleep_for(100ms);
    }
    for (int fd : slow) {
        char byte;
        EXPECT_LE(::recv(fd, &byte, 1, 0), 0) << "still open after its deadline";
        ::close(fd);
    }
}

} // namespace
} // namespace orbisk::server
