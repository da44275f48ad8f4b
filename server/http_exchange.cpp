// SPDX-License-Identifier: GPL-3.0-or-later
#include "http_exchange.h"

#include <algorithm>
#include <cctype>

namespace orbisk::server {

std::string HttpRequest::Param(const std::string& name) const {
    const auto found = params.find(name);
    return found == params.end() ? "" : found->second;
}

std::string HttpRequest::Header(const std::string& name) const {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto found = headers.find(key);
    return found == headers.end() ? "" : found->second;
}

} // namespace orbisk::server
