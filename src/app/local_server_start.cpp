// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/local_server_start.h"

#include "common/own_server_address.h"
#include "common/socket_owner.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

namespace orbisk {
namespace {

constexpr int kStartMs = 5000;
constexpr int kListenMs = 3000;
constexpr int kPollMs = 50;

// systemctl reaches the user's manager over its private socket; the session
// bus the client keeps itself from is not needed.
bool StartUserUnit() {
    QProcess systemctl;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.value("DBUS_SESSION_BUS_ADDRESS") == "disabled:")
        environment.remove("DBUS_SESSION_BUS_ADDRESS");
    systemctl.setProcessEnvironment(environment);
    systemctl.start("systemctl", {"--user", "--no-block", "start", "orbisk-server.service"});
    if (!systemctl.waitForFinished(kStartMs)) {
        systemctl.kill();
        systemctl.waitForFinished();
        return false;
    }
    return systemctl.exitStatus() == QProcess::NormalExit && systemctl.exitCode() == 0;
}

// Nothing of this account's listens where its requests for `host` go; a
// loopback port held by another account counts as absent, since this
// account's server then takes a port of its own.
bool OwnServerAbsent(const std::string& host) {
    const std::string own = OwnServerHost(host);
    return LoopbackServerAbsent(own) || !ForeignLoopbackServer(own).empty();
}

} // namespace

void StartLocalServerWhenAbsent(const std::string& host) {
    if (!OwnServerAbsent(host) || !StartUserUnit())
        return;
    QElapsedTimer waited;
    waited.start();
    while (OwnServerAbsent(host) && waited.elapsed() < kListenMs)
        QThread::msleep(kPollMs);
}

} // namespace orbisk
