// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orbisk::server {

// One request as the handlers see it: decoded query and form values, header
// names in lower case, and the whole body, already bounded by its route.
struct HttpRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> params;
    std::map<std::string, std::string> headers;
    std::string body;

    // The first value of a query or form parameter, or "".
    std::string Param(const std::string& name) const;
    std::string Header(const std::string& name) const;
};

// What a handler answers. Static files are answered from memory the server
// keeps for its whole life, without a copy: `shared` and the byte range.
struct HttpResponse {
    int status = 200;
    std::string type = "text/plain";
    std::string body;
    std::shared_ptr<const std::string> shared;
    size_t offset = 0;
    size_t length = 0;
    std::vector<std::pair<std::string, std::string>> headers;

    void Reply(std::string content, std::string contentType) {
        body = std::move(content);
        type = std::move(contentType);
    }
    void SetHeader(std::string name, std::string value) {
        headers.emplace_back(std::move(name), std::move(value));
    }
    size_t Size() const { return shared ? length : body.size(); }
};

using HttpHandler = std::function<void(const HttpRequest&, HttpResponse&)>;

} // namespace orbisk::server
