// SPDX-License-Identifier: GPL-3.0-or-later
#include "fake_services.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orbisk::test {

std::string ReadTestData(const std::string& relativePath) {
    std::ifstream file(std::string(ORBISK_TEST_DATA_DIR) + "/" + relativePath, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing test data " + relativePath);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

FakeServices::FakeServices() {
    const auto handler = [this](const httplib::Request& request, httplib::Response& response) {
        Handle(request, response);
    };
    server_.http.Get(".*", handler);
    server_.http.Post(".*", handler);
    server_.Start();
}

void FakeServices::Handle(const httplib::Request& request, httplib::Response& response) {
    std::lock_guard lock(mutex_);
    received_.push_back({request.method, request.path, request.params, request.body});
    const auto responder = answers_.find(request.path);
    const std::optional<std::string> answer =
        responder == answers_.end() ? std::nullopt : responder->second(received_.back());
    if (!answer) {
        response.status = 404;
        response.set_content("<html><body>not found</body></html>", "text/html");
        return;
    }
    response.set_content(*answer, "text/html");
}

void FakeServices::Answer(const std::string& path, const std::string& answer) {
    Answer(path, [answer](const Received&) { return std::optional<std::string>(answer); });
}

void FakeServices::Answer(const std::string& path, Responder responder) {
    std::lock_guard lock(mutex_);
    answers_[path] = std::move(responder);
}

std::vector<FakeServices::Received> FakeServices::Requests() const {
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<std::string> FakeServices::Paths() const {
    std::vector<std::string> paths;
    for (const Received& received : Requests())
        paths.push_back(received.path);
    return paths;
}

ServiceDefinitions FakeServices::Definitions() const {
    std::string text = ReadTestData("definitions/test_services.xml");
    for (size_t at = text.find("@HOST@"); at != std::string::npos; at = text.find("@HOST@", at))
        text.replace(at, 6, Host());
    ServiceDefinitions definitions;
    if (!definitions.ParseDefinitions(text))
        throw std::runtime_error("test definitions do not parse");
    return definitions;
}

} // namespace orbisk::test
