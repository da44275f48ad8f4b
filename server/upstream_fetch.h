// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace orbisk::server {

// Every request to an outside service names the program, as the public
// OpenStreetMap services ask, with the address its makers read.
std::string UpstreamUserAgent();

struct UpstreamAnswer {
    bool ok = false;
    std::string body;   // the whole answer when ok
    std::string reason; // why not, in plain words, when not ok
};

struct UpstreamLimits {
    std::chrono::milliseconds connect{3000};
    std::chrono::milliseconds total{6000};
    size_t maxBytes = 4u * 1024 * 1024;
};

// One exchange with an outside service: only a whole 2xx answer within the
// limits counts. No redirect is followed, and only http and https are spoken.
UpstreamAnswer FetchUpstream(const std::string& url, const UpstreamLimits& limits);
// The same as a POST of a form body.
UpstreamAnswer PostUpstream(const std::string& url, const std::string& formBody,
                            const UpstreamLimits& limits);

} // namespace orbisk::server
