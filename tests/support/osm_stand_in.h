// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "loopback_server.h"

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orbisk::test {

// OpenStreetMap's geocoder (/search) and local search (/api/interpreter) on
// loopback: both give the answer the test sets, after its delay, and every
// request is kept with its User-Agent and the time it arrived.
class OsmStandIn {
public:
    struct Asked {
        std::string target; // path and query, then the body of a POST
        std::string userAgent;
        std::chrono::steady_clock::time_point at;
    };

    OsmStandIn() {
        const auto answer = [this](const httplib::Request& request, httplib::Response& response) {
            std::chrono::milliseconds delay;
            {
                std::lock_guard lock(mutex_);
                std::string target = request.path;
                for (const auto& [name, value] : request.params)
                    target += (target == request.path ? "?" : "&") + name + "=" + value;
                asked_.push_back({target + " " + request.body,
                                  request.get_header_value("User-Agent"),
                                  std::chrono::steady_clock::now()});
                response.status = status_;
                response.set_content(body_, "application/json");
                delay = delay_;
            }
            std::this_thread::sleep_for(delay);
        };
        server_.http.Get("/search", answer);
        server_.http.Post("/api/interpreter", answer);
        server_.Start();
    }

    void Answer(int status, std::string body,
                std::chrono::milliseconds delay = std::chrono::milliseconds(0)) {
        std::lock_guard lock(mutex_);
        status_ = status;
        body_ = std::move(body);
        delay_ = delay;
    }
    std::vector<Asked> Requests() const {
        std::lock_guard lock(mutex_);
        return asked_;
    }
    std::string NominatimBase() const { return "http://" + server_.Host(); }
    std::string OverpassUrl() const { return "http://" + server_.Host() + "/api/interpreter"; }

private:
    mutable std::mutex mutex_;
    int status_ = 200;
    std::string body_ = "[]";
    std::chrono::milliseconds delay_{0};
    std::vector<Asked> asked_;
    LoopbackServer server_;
};

} // namespace orbisk::test
