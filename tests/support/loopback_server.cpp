// SPDX-License-Identifier: GPL-3.0-or-later
#include "loopback_server.h"

#include <chrono>
#include <stdexcept>

namespace orbisk::test {

// A connection the browser engine keeps open would hold stop() for the whole
// keep-alive time (5 s by default): every window test paid it once.
void LoopbackServer::Start() {
    http.set_keep_alive_timeout(0);
    port_ = http.bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("cannot bind a loopback port");
    thread_ = std::thread([this] { http.listen_after_bind(); });
    for (int i = 0; i < 500 && !http.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

LoopbackServer::~LoopbackServer() {
    http.stop();
    if (thread_.joinable())
        thread_.join();
}

} // namespace orbisk::test
