// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "loopback_server.h"
#include "services/service_definitions.h"

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace orbisk::test {

// Outside services on loopback for the test definition file: each path answers
// what the test put there (404 otherwise) and every request is recorded.
class FakeServices {
public:
    struct Received {
        std::string method;
        std::string path;
        std::multimap<std::string, std::string> params;
        std::string body;
    };

    // The answer to a request, or nullopt for a 404 page.
    using Responder = std::function<std::optional<std::string>(const Received&)>;

    FakeServices();

    void Answer(const std::string& path, const std::string& answer);
    void Answer(const std::string& path, Responder responder);
    std::vector<Received> Requests() const;
    // The paths asked, in order, e.g. {"/phone", "/exchange"}.
    std::vector<std::string> Paths() const;
    std::string Host() const { return server_.Host(); }

    // tests/data/definitions/test_services.xml with its services on this server.
    ServiceDefinitions Definitions() const;

private:
    void Handle(const httplib::Request& request, httplib::Response& response);

    LoopbackServer server_;
    mutable std::mutex mutex_;
    std::map<std::string, Responder> answers_;
    std::vector<Received> received_;
};

// A file under tests/data.
std::string ReadTestData(const std::string& relativePath);

} // namespace orbisk::test
