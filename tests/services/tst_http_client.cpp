// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.h"
#include "loopback_server.h"
#include "raw_http_server.h"
#include "services/http_client.h"
#include "settings/program_environment.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

namespace orbisk {
namespace {

using test::LoopbackServer;
using test::RawHttpServer;

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";

// Keeps the environment's proxy out of the exchanges with loopback servers.
class HttpClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            unsetenv(name);
    }
};

std::string HeaderBlock(const std::string& request) {
    return request.substr(0, request.find("\r\n\r\n") + 2);
}

TEST_F(HttpClientTest, GetSendsTheUserAgentNoCacheAndNoBody) {
    RawHttpServer server(kOk);
    EXPECT_EQ(HttpClient().Get(server.Host(), "/map/definition/version/", "").value_or("failed"),
              "ok");
    ASSERT_EQ(server.Requests().size(), 1u);
    const std::string request = server.Requests()[0];
    EXPECT_EQ(request.rfind("GET /map/definition/version/ HTTP/1.1\r\n", 0), 0u) << request;
    const std::string head = HeaderBlock(request);
    EXPECT_NE(head.find("\r\nUser-Agent: WinHTTP Example/1.0\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nPragma: no-cache\r\n"), std::string::npos);
    EXPECT_NE(head.find("\r\nCache-Control: no-cache\r\n"), std::string::npos);
    EXPECT_EQ(head.find("Accept:"), std::string::npos);
    EXPECT_EQ(head.find("Content-"), std::string::npos);
    EXPECT_EQ(request.size(), head.size() + 2);
}

TEST_F(HttpClientTest, PostSendsOneContentTypeAndTheExactBody) {
    LoopbackServer server;
    std::string body, contentType, query;
    size_t contentTypes = 0;
    server.http.Post("/map/default.asp",
                     [&](const httplib::Request& request, httplib::Response& response) {
                         body = request.body;
                         contentType = request.get_header_value("Content-Type");
                         contentTypes = request.get_header_value_count("Content-Type");
                         query = request.get_param_value("VER");
                         response.set_content("posted", "text/plain");
                     });
    server.Start();
    std::string sent = "QLM=ABC%41+&x=\r\n";
    sent += std::string("\x01\x7F\xFF", 3);
    sent += std::string(6000, 'K');
    EXPECT_EQ(
        HttpClient().Post(server.Host(), "/map/default.asp?VER=1.10", sent, "").value_or("failed"),
        "posted");
    EXPECT_TRUE(body == sent) << "body of " << body.size() << " bytes differs";
    EXPECT_EQ(contentType, "application/x-www-form-urlencoded");
    EXPECT_EQ(contentTypes, 1u);
    EXPECT_EQ(query, "1.10");
}

TEST_F(HttpClientTest, PostSendsLargeBodiesByteExact) {
    RawHttpServer server(kOk);
    std::string sent;
    for (int i = 0; i < 2'000'000; ++i)
        sent += static_cast<char>('@' + i % 16);
    ASSERT_TRUE(HttpClient().Post(server.Host(), "/map/default.asp", "QLM=" + sent, ""));
    const std::string request = server.Requests().at(0);
    EXPECT_TRUE(request.substr(request.find("\r\n\r\n") + 4) == "QLM=" + sent);
}

TEST_F(HttpClientTest, PostWithAnEmptyBodySendsZeroLength) {
    RawHttpServer server(kOk);
    ASSERT_TRUE(HttpClient().Post(server.Host(), "/p", "", ""));
    const std::string request = server.Requests().at(0);
    EXPECT_EQ(request.rfind("POST /p HTTP/1.1\r\n", 0), 0u);
    EXPECT_NE(request.find("\r\nContent-Length: 0\r\n"), std::string::npos);
    EXPECT_NE(request.find("\r\nContent-Type: application/x-www-form-urlencoded\r\n"),
              std::string::npos);
    EXPECT_EQ(request.find("Expect:"), std::string::npos);
}

TEST_F(HttpClientTest, PathKeepsItsEscapesAndQueryAndGainsALeadingSlash) {
    RawHttpServer server(kOk);
    ASSERT_TRUE(HttpClient().Get(server.Host(), "map/definition/path/?VER=1.00&q=a%20b c#x", ""));
    EXPECT_EQ(server.Requests().at(0).rfind(
                  "GET /map/definition/path/?VER=1.00&q=a%20b%20c%23x HTTP/1.1\r\n", 0),
              0u)
        << server.Requests().at(0);
}

TEST_F(HttpClientTest, ErrorStatusesAreAnswersNotFailures) {
    LoopbackServer server;
    server.http.Get("/boom", [](const httplib::Request&, httplib::Response& response) {
        response.status = 500;
        response.set_content("server broke", "text/html");
    });
    server.http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 404)
            response.set_content("no such page", "text/html");
    });
    server.Start();
    EXPECT_EQ(HttpClient().Get(server.Host(), "/boom", "").value_or("failed"), "server broke");
    EXPECT_EQ(HttpClient().Get(server.Host(), "/missing", "").value_or("failed"), "no such page");
    // A file must come whole and 2xx: the status is the reason.
    const HttpAnswer file = HttpClient().GetFile(server.Host(), "/missing", "");
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().status, 404);
    EXPECT_EQ(file.error().reason, "the server answered HTTP 404");
}

TEST_F(HttpClientTest, KeepsOfEachChunkOnlyTheBytesBeforeItsFirstNul) {
    RawHttpServer server("HTTP/1.1 200 OK\r\nContent-Length: 9\r\nConnection: close\r\n\r\n" +
                         std::string("abc\0defgh", 9));
    EXPECT_EQ(HttpClient().Get(server.Host(), "/", "").value_or("failed"), "abc");
    EXPECT_EQ(HttpClient().GetFile(server.Host(), "/", "").value_or("failed"),
              std::string("abc\0defgh", 9))
        << "files keep every byte";
}

TEST_F(HttpClientTest, StopsReadingAtTheCapAndKeepsWhatWasRead) {
    LoopbackServer server;
    server.http.Get("/huge", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(HttpClient::kMaxAnswerBytes + 100000, 'h'), "text/plain");
    });
    server.Start();
    const HttpAnswer answer = HttpClient().Get(server.Host(), "/huge", "");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->size(), HttpClient::kMaxAnswerBytes);
    // A file cut at the cap is no file.
    const HttpAnswer file = HttpClient().GetFile(server.Host(), "/huge", "");
    ASSERT_FALSE(file);
    EXPECT_EQ(file.error().reason, "the answer is larger than 32 MiB");
}

TEST_F(HttpClientTest, UnreachableHostsFailWithCurlsReason) {
    int freePort = 0;
    {
        RawHttpServer probe(kOk);
        freePort = probe.Port();
    }
    const std::string host = "127.0.0.1:" + std::to_string(freePort);
    for (const HttpAnswer& answer :
         {HttpClient().Get(host, "/", ""), HttpClient().Post(host, "/", "b", "")}) {
        ASSERT_FALSE(answer);
        EXPECT_NE(answer.error().reason.find("Failed to connect to 127.0.0.1 port " +
                                             std::to_string(freePort)),
                  std::string::npos)
            << answer.error().reason;
        EXPECT_EQ(answer.error().status, 0);
    }
}

TEST_F(HttpClientTest, RefusesHostsThatCarryMoreThanAHost) {
    RawHttpServer server(kOk);
    for (const std::string& host :
         {std::string(), "user@" + server.Host(), server.Host() + "/x", server.Host() + "?q",
          std::string("a b"), server.Host() + "#"}) {
        const HttpAnswer answer = HttpClient().Get(host, "/", "");
        ASSERT_FALSE(answer) << host;
        EXPECT_EQ(answer.error().reason, "\"" + host + "\" is not a host name");
    }
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpClientTest, ASilentServerEndsTheCallWithinItsTimeout) {
    RawHttpServer silent("");
    const auto start = std::chrono::steady_clock::now();
    // The idle limit and the whole-call limit each say which ended the call.
    const std::pair<HttpAnswer, std::string> calls[] = {
        {HttpClient({1000, 1000, 0}).Get(silent.Host(), "/", ""), "Operation too slow"},
        {HttpClient({1000, 0, 1500}).Post(silent.Host(), "/", "x", ""), "timed out"},
    };
    for (const auto& [answer, words] : calls) {
        ASSERT_FALSE(answer);
        EXPECT_NE(answer.error().reason.find(words), std::string::npos) << answer.error().reason;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(8));
}

TEST_F(HttpClientTest, ANamedProxyReceivesTheRequest) {
    RawHttpServer proxy(kOk);
    EXPECT_EQ(
        HttpClient().Get("maps.example.invalid", "/map/x?y=1", proxy.Host()).value_or("failed"),
        "ok");
    EXPECT_EQ(
        proxy.Requests().at(0).rfind("GET http://maps.example.invalid/map/x?y=1 HTTP/1.1\r\n", 0),
        0u)
        << proxy.Requests().at(0);
}

TEST_F(HttpClientTest, WithoutANamedProxyTheEnvironmentsProxyIsUsed) {
    RawHttpServer proxy(kOk);
    setenv("http_proxy", ("http://" + proxy.Host()).c_str(), 1);
    EXPECT_TRUE(HttpClient().Get("maps.example.invalid", "/env", ""));
    unsetenv("http_proxy");
    ASSERT_EQ(proxy.Requests().size(), 1u);
    EXPECT_EQ(proxy.Requests()[0].rfind("GET http://maps.example.invalid/env HTTP/1.1\r\n", 0), 0u);
}

TEST_F(HttpClientTest, QueryUserProxyReadsTheEnvironment) {
    std::string proxy = "unchanged";
    EXPECT_FALSE(QueryUserProxy(proxy));
    EXPECT_EQ(proxy, "unchanged");
    setenv("HTTP_PROXY", "http://upper:3128", 1);
    EXPECT_TRUE(QueryUserProxy(proxy));
    EXPECT_EQ(proxy, "http://upper:3128");
    setenv("http_proxy", "", 1);
    EXPECT_TRUE(QueryUserProxy(proxy));
    EXPECT_EQ(proxy, "");
    unsetenv("http_proxy");
    unsetenv("HTTP_PROXY");
}

TEST(UrlEscape, EscapesExactlyItsFifteenCharacters) {
    EXPECT_EQ(urlEscape("a b&c"), "a%20b%26c");
    EXPECT_EQ(urlEscape("50%"), "50%");
    EXPECT_EQ(urlEscape("x.y?"), "x%2Ey%3F");
    EXPECT_EQ(urlEscape("line\nnext"), "line%0Dnext");
    EXPECT_EQ(urlEscape("!\"#$&'(),.:;?"), "%21%22%23%24%26%27%28%29%2C%2E%3A%3B%3F");
    EXPECT_EQ(urlEscape("+=/\r-_~caf\xC3\xA9%20"), "+=/\r-_~caf\xC3\xA9%20");
    EXPECT_EQ(urlEscape(""), "");
}

} // namespace
} // namespace orbisk
