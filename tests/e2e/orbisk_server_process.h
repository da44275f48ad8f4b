// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "map_request.h"

#include <QProcess>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

namespace orbisk::test {

// The real orbisk-server as its own process on a free port, recording every
// map page body it receives, so that tests see what reached the server.
class OrbiskServerProcess {
public:
    explicit OrbiskServerProcess(std::filesystem::path recordDirectory,
                                 const QStringList& extraArguments = {});
    ~OrbiskServerProcess();

    bool Running() const { return !host_.empty(); }
    // "127.0.0.1:PORT"
    const std::string& Host() const { return host_; }
    qint64 Pid() const { return process_.processId(); }
    void Stop();

    // The map page requests received so far, decoded as the server read them.
    std::vector<server::MapRequest> Requests() const;
    size_t RequestCount() const;
    // An answer of the server, for what a test needs from it directly.
    std::string Get(const std::string& path) const;

private:
    std::filesystem::path recordDirectory_;
    QProcess process_;
    std::string host_;
};

} // namespace orbisk::test
