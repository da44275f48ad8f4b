// SPDX-License-Identifier: GPL-3.0-or-later
#include "client_harness.h"

#include "app/explorer1.h"
#include "common/atomic_file.h"
#include "protocol/parameter_codec.h"
#include "settings/program_environment.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

namespace orbisk::test {

ClientHarness::ClientHarness() {
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir_.Path() / "config").string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir_.Path() / "data").string()));
    // The server it starts keeps its answers here, never in the user's cache.
    qputenv("XDG_CACHE_HOME", QByteArray::fromStdString((dir_.Path() / "cache").string()));
    qputenv(kProgramDirVariable, QByteArray::fromStdString((dir_.Path() / "program").string()));
}

ClientHarness::~ClientHarness() {
    window_.reset();
    server_.reset();
}

bool ClientHarness::StartServer(const QStringList& serverArguments) {
    server_ = std::make_unique<OrbiskServerProcess>(dir_.Path() / "received", serverArguments);
    return server_->Running();
}

void ClientHarness::WriteProgramDirectory(const std::function<void(std::string& xml)>& edit) {
    const std::filesystem::path program = dir_.Path() / "program";
    std::filesystem::create_directories(program / "MarkerSets");
    std::filesystem::create_directories(program / "html");
    std::filesystem::copy_file(
        std::filesystem::path(ORBISK_PROGRAM_BIN_DIR) / "html" / "HomeSiteError.htm",
        program / "html" / "HomeSiteError.htm", std::filesystem::copy_options::overwrite_existing);
    std::string xml = server_->Get("/map/definitions/Map.xml");
    if (edit)
        edit(xml);
    std::string encoded;
    ParameterCodec().Encode(xml, encoded);
    WriteFileAtomically(program / "Map.dat", encoded);
}

CMapMainDlg& ClientHarness::StartClient(const std::string& commandLine) {
    window_ = std::make_unique<CMapMainDlg>(&prompts);
    prompts.editMarker = [](MarkerDetails& shown) {
        shown.title = "Clicked here";
        return true;
    };
    if (beforeStart)
        beforeStart(*window_);
    window_->resize(800, 600);
    window_->show();
    window_->Initialize(commandLine);
    return *window_;
}

void ClientHarness::RunCommand(int id) {
    window_->OnCommand(id);
    WaitUntil([this] { return !window_->Browser()->ReadingView(); }, 5000);
}

bool ClientHarness::WaitIdle(int milliseconds) {
    if (!WaitUntil([this] { return !window_->Busy(); }, milliseconds))
        return false;
    // The timer brings the controls back; one tick settles them.
    window_->OnTimer();
    return true;
}

bool ClientHarness::WaitForRequests(size_t count, int milliseconds) {
    return WaitUntil([&] { return server_->RequestCount() >= count; }, milliseconds) &&
           server_->RequestCount() == count;
}

QString ClientHarness::PageValue(const QString& script) {
    QString value;
    bool answered = false;
    QEventLoop loop;
    window_->Browser()->page()->runJavaScript(script, [&](const QVariant& result) {
        value = result.toString();
        answered = true;
        loop.quit();
    });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit);
    if (!answered)
        loop.exec();
    return value;
}

bool WaitUntil(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > milliseconds)
            return false;
        QTest::qWait(20);
    }
    return true;
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

} // namespace orbisk::test
