// SPDX-License-Identifier: GPL-3.0-or-later
// The real client and the real orbisk-server in a hostile world: services
// that refuse, stay silent or answer garbage, a map server that fails or never
// answers, and directories that cannot be written.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "client_harness.h"
#include "common/atomic_file.h"
#include "markers/marker_set.h"
#include "raw_http_server.h"
#include "read_only_directory.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace orbisk;
using orbisk::test::GoButton;
using orbisk::test::KeywordField;
using orbisk::test::ReadOnlyDirectory;
using orbisk::test::ReplaceAll;
using orbisk::test::StatusText;

namespace {

// Sends every outside service of the definitions to `host`; the map server stays.
std::function<void(std::string&)> ServicesAt(const std::string& serverHost,
                                             const std::string& host) {
    return [=](std::string& xml) {
        ReplaceAll(xml, "Server=\"" + serverHost + "\"", "Server=\"" + host + "\"");
    };
}

// Sends the map page requests to `host`; the services stay.
std::function<void(std::string&)> MapServerAt(const std::string& serverHost,
                                              const std::string& host) {
    return [=](std::string& xml) {
        ReplaceAll(xml, "<KeyString>" + serverHost + "</KeyString>",
                   "<KeyString>" + host + "</KeyString>");
    };
}

std::string Garbage() {
    std::string bytes = "<ResultSet totalResultsAvailable=\"99999999999\">&&==%%s<!--listing-->";
    for (int i = 0; i < 20000; ++i)
        bytes += static_cast<char>((i * 7919) % 256);
    bytes += "name1=&lat=nan&lng=1e999<r>|||</r>,,,;;";
    return "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(bytes.size()) + "\r\nConnection: close\r\n\r\n" + bytes;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::ClientHarness> run_;

    test::ClientHarness& Prepare(const QStringList& serverArguments = {}) {
        run_ = std::make_unique<test::ClientHarness>();
        if (!run_->StartServer(serverArguments))
            qFatal("orbisk-server did not start");
        return *run_;
    }
    // The controls are back: not busy, Go enabled, nothing asked of the user.
    bool ControlsBack() {
        CMapMainDlg& window = run_->Window();
        return !window.Busy() && GoButton(window)->isEnabled();
    }
    // A client whose first map has loaded, holding one unsaved marker.
    CMapMainDlg& StartWithOneMarker() {
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory();
        CMapMainDlg& window = run.StartClient();
        if (!run.WaitForRequests(1) || !run.WaitIdle())
            qFatal("the first map never arrived");
        Marker marker;
        marker.lat = "38.9";
        marker.lng = "-77.03";
        marker.title = "Keep me";
        window.CurrentMarkerSet().AddMarker(marker);
        return window;
    }
    void GoInZipMode(const char* zip) {
        run_->Window().OnCommand(kIdZipRadio);
        test::LocatePanelOf(run_->Window())->zip()->setText(zip);
        run_->Window().OnCommand(kIdGo);
    }

private slots:
    void cleanup() { run_.reset(); }

    void refusingServicesStillGiveAMap() {
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory(ServicesAt(run.Server().Host(), test::ClosedLoopbackHost()));
        run.StartClient();
        QVERIFY(run.WaitForRequests(1));
        QVERIFY(run.WaitIdle());
        QVERIFY(ControlsBack());
        // Nothing located: the map server is asked to find the place itself.
        QVERIFY(run.Server().Requests()[0].Get("NS") != "3");
        GoInZipMode("20502");
        QVERIFY(run.WaitForRequests(2));
        QVERIFY(run.WaitIdle());
        QVERIFY(ControlsBack());
        QVERIFY(run.messages.isEmpty());
        // The status line says why, the whole reason in its tip, until the next job.
        QLabel* status = StatusText(run.Window());
        const QString reason = status->toolTip().isEmpty() ? status->text() : status->toolTip();
        QVERIFY2(reason.startsWith(
                     "The place could not be looked up (" +
                     QString::fromStdString(test::ClosedLoopbackHost()).section(':', 0, 0)),
                 qPrintable(reason));
        QVERIFY2(reason.contains("Failed to connect"), qPrintable(reason));
    }

    void aSilentServiceEndsTheJobWithinItsTimeout() {
        test::RawHttpServer silent("");
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory(ServicesAt(run.Server().Host(), silent.Host()));
        run.beforeStart = [](CMapMainDlg& window) {
            window.serviceTimeouts = HttpTimeouts{2000, 1000, 0};
        };
        QElapsedTimer clock;
        clock.start();
        run.StartClient();
        QVERIFY(run.WaitForRequests(1, 60000));
        QVERIFY(run.WaitIdle());
        QVERIFY(silent.SilentConnections() > 0);
        QVERIFY2(clock.elapsed() < 30000, "each silent call ends after its one-second time-out");
        QVERIFY(ControlsBack());
        GoInZipMode("K1A 0B1");
        QVERIFY(run.WaitForRequests(2, 60000));
        QVERIFY(run.WaitIdle());
        QVERIFY(ControlsBack());
    }

    void garbageAnswersAreSurvived() {
        test::RawHttpServer garbage(Garbage());
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory(ServicesAt(run.Server().Host(), garbage.Host()));
        CMapMainDlg& window = run.StartClient();
        QVERIFY(run.WaitForRequests(1));
        QVERIFY(run.WaitIdle());
        GoInZipMode("20502");
        QVERIFY(run.WaitForRequests(2));
        QVERIFY(run.WaitIdle());
        KeywordField(window)->setText("Pizza");
        window.OnCommand(kIdNext);
        QVERIFY(run.WaitForRequests(3));
        QVERIFY(run.WaitIdle());
        QVERIFY(garbage.Requests().size() >= 3);
        QVERIFY(ControlsBack());
    }

    void aMapServerAnswering500IsAPageNotAnError() {
        test::RawHttpServer failing("HTTP/1.1 500 Internal Server Error\r\nContent-Type: "
                                    "text/html\r\nContent-Length: 15\r\nConnection: "
                                    "close\r\n\r\n<h1>broken</h1>");
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory(MapServerAt(run.Server().Host(), failing.Host()));
        CMapMainDlg& window = run.StartClient();
        const auto posted = [&] {
            for (const std::string& request : failing.Requests())
                if (request.rfind("POST /map/default.asp", 0) == 0)
                    return true;
            return false;
        };
        QVERIFY(test::WaitUntil(posted, 30000));
        QVERIFY(run.WaitIdle());
        QVERIFY(!window.Browser()->url().isLocalFile());
        QVERIFY(ControlsBack());
    }

    void aMapServerThatNeverAnswersIsGivenUp() {
        test::RawHttpServer silent("");
        test::ClientHarness& run = Prepare();
        run.WriteProgramDirectory(MapServerAt(run.Server().Host(), silent.Host()));
        run.beforeStart = [](CMapMainDlg& window) { window.Browser()->setLoadTimeout(3000); };
        CMapMainDlg& window = run.StartClient();
        QVERIFY(test::WaitUntil([&] { return silent.SilentConnections() > 0; }, 30000));
        QVERIFY(test::WaitUntil([&] { return window.Browser()->url().isLocalFile(); }, 30000));
        QVERIFY(run.WaitIdle());
        QVERIFY(window.Browser()->url().toLocalFile().endsWith("html/HomeSiteError.htm"));
        QVERIFY(ControlsBack());
    }

    void savingIntoAReadOnlyDirectoryKeepsTheMarkers() {
        CMapMainDlg& window = StartWithOneMarker();
        test::ClientHarness& run = *run_;
        ReadOnlyDirectory locked(run.Directory() / "locked");
        if (!locked.Made())
            QSKIP("this file system cannot make a directory read-only");
        run.files << QString::fromStdString((run.Directory() / "locked" / "trip.obk").string());
        run.RunCommand(kIdSaveMarkers);
        QCOMPARE(run.messages.size(), 1);
        // The system's text, then why, with the path.
        QVERIFY2(run.messages[0].startsWith("Failed to save marker set!\n") &&
                     run.messages[0].endsWith("locked/trip.obk"),
                 qPrintable(run.messages[0]));
        QVERIFY(window.CurrentMarkerSet().IsModified());
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(1));
        QVERIFY(std::filesystem::is_empty(run.Directory() / "locked"));
    }

    void sendingFromAReadOnlyProgramDirectorySaysSo() {
        CMapMainDlg& window = StartWithOneMarker();
        test::ClientHarness& run = *run_;
        ReadOnlyDirectory locked(run.Directory() / "program" / "MarkerSets");
        if (!locked.Made())
            QSKIP("this file system cannot make a directory read-only");
        QDesktopServices::setUrlHandler("mailto", this, "ignoreMail");
        run.RunCommand(kIdSendMarkers);
        QDesktopServices::unsetUrlHandler("mailto");
        // The error alone: no promise of a mail with a file that was never written.
        QCOMPARE(run.messages.size(), 1);
        QVERIFY(run.messages[0].startsWith("Failed to save marker set to "));
        QVERIFY(window.CurrentMarkerSet().IsModified());
        QVERIFY(std::filesystem::is_empty(run.Directory() / "program" / "MarkerSets"));
    }

    void aDefinitionDownloadIntoAReadOnlyProgramDirectoryKeepsTheOldFile() {
        test::ClientHarness& run = Prepare({"--definitions-version", "7"});
        run.WriteProgramDirectory([](std::string& xml) {
            ReplaceAll(xml, "<GeoCoderSetting Ver=\"7\"", "<GeoCoderSetting Ver=\"3\"");
        });
        const auto program = run.Directory() / "program";
        std::string before;
        QVERIFY(ReadWholeFile(program / "Map.dat", 1 << 20, before));
        {
            ReadOnlyDirectory locked(program);
            if (!locked.Made())
                QSKIP("this file system cannot make a directory read-only");
            run.StartClient();
            QVERIFY(run.WaitForRequests(1));
            QVERIFY(run.WaitIdle());
        }
        // The update goes to the user's data directory and is used from there.
        QCOMPARE(run.Server().Requests()[0].Get("DE"), std::string("7"));
        QVERIFY(std::filesystem::is_regular_file(run.Directory() / "data/orbisk/Map.dat"));
        std::string after;
        QVERIFY(ReadWholeFile(program / "Map.dat", 1 << 20, after));
        QCOMPARE(after, before);
        size_t entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(program))
            ++entries;
        QCOMPARE(entries, size_t(3)); // Map.dat, html/, MarkerSets/: nothing half written
        QVERIFY(ControlsBack());
    }

public slots:
    void ignoreMail(const QUrl&) {}
};

int main(int argc, char** argv) {
    orbisk::test::PrepareWebEngineForTests();
    QApplication application(argc, argv);
    TestFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_faults.moc"
