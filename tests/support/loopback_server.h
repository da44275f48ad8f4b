// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <httplib.h>
#include <string>
#include <thread>

namespace orbisk::test {

// A real cpp-httplib server on 127.0.0.1 and a free port, for the lifetime of
// the object. Register handlers on `http` before calling Start.
class LoopbackServer {
public:
    LoopbackServer() = default;
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    void Start();
    int Port() const { return port_; }
    std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }

    httplib::Server http;

private:
    std::thread thread_;
    int port_ = 0;
};

} // namespace orbisk::test
