// SPDX-License-Identifier: GPL-3.0-or-later
#include "orbisk_server_process.h"

#include "common/atomic_file.h"

#include <QRegularExpression>
#include <algorithm>
#include <httplib.h>

namespace orbisk::test {

OrbiskServerProcess::OrbiskServerProcess(std::filesystem::path recordDirectory,
                                         const QStringList& extraArguments)
    : recordDirectory_(std::move(recordDirectory)) {
    std::filesystem::create_directories(recordDirectory_);
    process_.setReadChannel(QProcess::StandardError);
    // Quiet: nobody reads its standard error after start, and a full pipe
    // would stop the server.
    process_.start(ORBISK_SERVER_PROGRAM,
                   QStringList{"--quiet", "--port", "0", "--data", ORBISK_SERVER_DATA_DIR,
                               "--record", QString::fromStdString(recordDirectory_.string())} +
                       extraArguments);
    // The server names its address on standard error once it listens.
    const QRegularExpression serving("serving on http://([0-9.]+:[0-9]+)/");
    QByteArray said;
    while (process_.waitForReadyRead(10000) || process_.bytesAvailable()) {
        said += process_.readAllStandardError();
        const auto match = serving.match(QString::fromUtf8(said));
        if (match.hasMatch()) {
            host_ = match.captured(1).toStdString();
            return;
        }
    }
}

OrbiskServerProcess::~OrbiskServerProcess() {
    Stop();
}

void OrbiskServerProcess::Stop() {
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(5000);
}

std::vector<server::MapRequest> OrbiskServerProcess::Requests() const {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(recordDirectory_, error))
        if (entry.path().extension() == ".body")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<server::MapRequest> requests;
    for (const auto& file : files) {
        std::string body;
        ReadWholeFile(file, 64u << 20, body);
        requests.push_back(server::ParseMapBody(body));
    }
    return requests;
}

size_t OrbiskServerProcess::RequestCount() const {
    return Requests().size();
}

std::string OrbiskServerProcess::Get(const std::string& path) const {
    httplib::Client client("http://" + host_);
    const auto answer = client.Get(path);
    return answer && answer->status == 200 ? answer->body : std::string();
}

} // namespace orbisk::test
