// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orbisk::test {

// A socket server on 127.0.0.1 that records the exact bytes of each request
// and answers with a canned response, or, when silent, accepts and never
// answers. For checks on the wire that a full HTTP server would normalise.
class RawHttpServer {
public:
    // An empty response makes the server silent.
    explicit RawHttpServer(std::string response);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    int Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::vector<std::string> Requests() const;
    // Connections a silent server accepted and keeps open.
    size_t SilentConnections() const;

private:
    void Serve();
    void Answer(int connection);

    std::string response_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::vector<int> openConnections_;
    std::thread thread_;
};

// "127.0.0.1:PORT" of a port nobody listens on: bound, read and closed again.
std::string ClosedLoopbackHost();

} // namespace orbisk::test
