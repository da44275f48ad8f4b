// SPDX-License-Identifier: GPL-3.0-or-later
// The real client, offscreen, against the real orbisk-server on a free port,
// driven through its commands. Each test checks what the server received and
// what the page it answered shows.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "client_harness.h"
#include "common/atomic_file.h"
#include "favorites/favorites_store.h"
#include "mail_catcher.h"
#include "markers/marker_set.h"
#include "process_tree.h"
#include "search/local_search_result_set.h"
#include "settings/registry_key.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QWebEnginePage>
#include <unistd.h>

using namespace orbisk;
using orbisk::server::MapRequest;
using orbisk::test::GoButton;
using orbisk::test::KeywordField;
using orbisk::test::StatusText;

namespace {

double Number(const std::string& text) {
    try {
        return std::stod(text);
    } catch (const std::exception&) {
        return -999;
    }
}

bool Near(const std::string& value, double expected, double tolerance) {
    return std::abs(Number(value) - expected) <= tolerance;
}

LocalSearchResultSet ResultsOf(const MapRequest& request) {
    LocalSearchResultSet set;
    set.ReadResultSet(request.resultsXml);
    return set;
}

MarkerSet MarkersOf(const MapRequest& request) {
    MarkerSet set;
    set.FromXml(request.markersXml);
    return set;
}

} // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::ClientHarness> run_;

    // A client started against a fresh server, its first map loaded.
    CMapMainDlg& StartBoth(const QStringList& serverArguments = {},
                           const std::string& commandLine = "") {
        run_ = std::make_unique<test::ClientHarness>();
        if (!run_->StartServer(serverArguments))
            qFatal("orbisk-server did not start");
        run_->WriteProgramDirectory();
        CMapMainDlg& window = run_->StartClient(commandLine);
        if (!run_->WaitForRequests(1) || !run_->WaitIdle())
            qFatal("the first map never arrived");
        return window;
    }
    MapRequest Last() { return run_->Server().Requests().back(); }
    // Runs one command that sends one request and waits for its page.
    MapRequest Command(int id) {
        const size_t before = run_->Server().RequestCount();
        run_->Window().OnCommand(id);
        if (!run_->WaitForRequests(before + 1) || !run_->WaitIdle())
            qFatal("command %d sent no request", id);
        return Last();
    }
    // The page's hidden fields, read back the way the client reads them.
    MapViewState View() { return test::ReadViewNow(*run_->Window().Browser()); }
    bool ViewShows(double latitude, double longitude) {
        const MapViewState view = View();
        return Number(view.xMin) < longitude && longitude < Number(view.xMax) &&
               Number(view.yMin) < latitude && latitude < Number(view.yMax);
    }

private slots:
    void cleanup() { run_.reset(); }

    void theStartUpJobLocatesTheDefaultPhoneNumber() {
        CMapMainDlg& window = StartBoth();
        const MapRequest request = Last();
        QCOMPARE(request.Get("TYPE"), std::string("13"));
        QCOMPARE(request.Get("SH"), std::string("0"));
        QCOMPARE(request.Get("NS"), std::string("3"));
        QVERIFY2(Near(request.Get("LAT"), 38.9, 0.3) && Near(request.Get("LNG"), -77.0, 0.3),
                 "(202) 456-1414 is in Washington");
        QCOMPARE(request.Get("DE"), std::string("1"));
        QCOMPARE(request.Get("VER"), std::string("1.10"));
        QCOMPARE(request.Get("WI"), std::to_string(window.Layout().browserWidth - 30));
        const LocalSearchResultSet results = ResultsOf(request);
        QVERIFY(!results.results.empty());
        QCOMPARE(results.firstResultPosition, 1);
        QVERIFY(ViewShows(Number(request.Get("LAT")), Number(request.Get("LNG"))));
        QCOMPARE(View().zoom, std::stoi(request.Get("FZ"))); // the geocoder's zoom wins
        QVERIFY(window.windowTitle().contains("Phone: (202)456-1414"));
        QVERIFY(run_->messages.isEmpty());
    }

    // The network runs in this process, so one zygote serves every helper, and
    // it hands the engine's processes the fixed large-block threshold.
    void theBrowserEngineRunsWithOneZygoteAndTheHeapThreshold() {
        StartBoth();
        std::vector<long> zygotes;
        for (long pid : test::Descendants(getpid()))
            if (test::ParentOf(pid) == getpid() && test::CommandLineHas(pid, "--type=zygote"))
                zygotes.push_back(pid);
        QCOMPARE(zygotes.size(), size_t(1));
        QVERIFY(test::EnvironmentValue(zygotes[0], "GLIBC_TUNABLES")
                    .find("glibc.malloc.mmap_threshold=131072") != std::string::npos);
        // A bus given, or none to be had: never one started that outlives the client.
        QVERIFY(!test::EnvironmentValue(zygotes[0], "DBUS_SESSION_BUS_ADDRESS").empty());
    }

    void goLocatesInEveryMode() {
        CMapMainDlg& window = StartBoth();
        LocatePanel* panel = test::LocatePanelOf(window);

        window.OnCommand(kIdZipRadio);
        panel->zip()->setText("60601");
        MapRequest request = Command(kIdGo);
        QCOMPARE(request.Get("ZIP"), std::string("60601"));
        QVERIFY2(Near(request.Get("LAT"), 41.88, 0.1) && Near(request.Get("LNG"), -87.62, 0.1),
                 "60601 is in Chicago");
        QVERIFY(ViewShows(41.88, -87.62));

        window.OnCommand(kIdStreetRadio);
        panel->streetNumber()->setText("100");
        panel->street()->setText("Demo St");
        panel->city()->setText("Boston");
        panel->state()->setText("MA");
        request = Command(kIdGo);
        QCOMPARE(request.Get("STR"), std::string("Demo St"));
        QCOMPARE(request.Get("CITY"), std::string("Boston"));
        QVERIFY2(Near(request.Get("LAT"), 42.36, 0.2) && Near(request.Get("LNG"), -71.06, 0.2),
                 "the demo street is in Boston");
        QVERIFY(ViewShows(Number(request.Get("LAT")), Number(request.Get("LNG"))));

        window.OnCommand(kIdLatLngRadio);
        panel->latitude()->setText("47.6062");
        panel->longitude()->setText("-122.3321");
        request = Command(kIdGo);
        QCOMPARE(request.Get("LAT"), std::string("47.6062"));
        QCOMPARE(request.Get("LNG"), std::string("-122.3321"));
        QVERIFY(ViewShows(47.6062, -122.3321));

        window.OnCommand(kIdPhoneRadio);
        panel->areaCode()->setText("212");
        panel->exchange()->setText("555");
        panel->lineNumber()->setText("0105");
        request = Command(kIdGo);
        QCOMPARE(request.Get("NPA"), std::string("212"));
        QCOMPARE(request.Get("INFO1"), std::string("Demo Listing 6 (demo)"));
        QVERIFY2(Near(request.Get("LAT"), 40.71, 0.2) && Near(request.Get("LNG"), -74.0, 0.2),
                 "the demo listing (212) 555-0105 is in New York");
        QVERIFY(ViewShows(Number(request.Get("LAT")), Number(request.Get("LNG"))));
        QCOMPARE(run_->Server().RequestCount(), size_t(5));
        QVERIFY(run_->messages.isEmpty());
    }

    void pagesThroughLocalSearchInBothCountries() {
        CMapMainDlg& window = StartBoth();
        LocalSearchResultSet results = ResultsOf(Last());
        QCOMPARE(results.firstResultPosition, 1);
        QVERIFY(results.totalResultsAvailable > 10);
        const std::string firstTitle = results.results.at(0).title;

        results = ResultsOf(Command(kIdNext));
        QCOMPARE(results.firstResultPosition, 11);
        QVERIFY(!results.results.empty());
        QVERIFY(results.results[0].title != firstTitle);
        // Paging moves by what the service returned on the current page.
        const int back = std::max(11 - results.totalResultsReturned, 1);
        QCOMPARE(ResultsOf(Command(kIdPrevious)).firstResultPosition, back);
        QCOMPARE(ResultsOf(Command(kIdSearchIcon)).firstResultPosition, 1);
        QCOMPARE(ResultsOf(Command(kIdNext)).firstResultPosition, 11);
        // Paging after a pan asks the new area from its first result, and says so.
        const QString west = run_->PageValue("document.getElementById('BVXMin').value");
        run_->PageValue("document.querySelector('.pan button[title=\"Pan east\"]').click()");
        QVERIFY(test::WaitUntil(
            [&] { return run_->PageValue("document.getElementById('BVXMin').value") != west; },
            5000));
        QCOMPARE(ResultsOf(Command(kIdNext)).firstResultPosition, 1);
        QVERIFY2(StatusText(window)->text().endsWith(" (new area)"),
                 qPrintable(StatusText(window)->text()));
        QCOMPARE(ResultsOf(Command(kIdNext)).firstResultPosition, 11);
        QVERIFY(!StatusText(window)->text().contains("new area"));
        KeywordField(window)->setText("Coffee");
        results = ResultsOf(Command(kIdNext)); // a new keyword starts again
        QCOMPARE(results.firstResultPosition, 1);
        QVERIFY(StatusText(window)->text().startsWith("1 to"));

        window.OnCommand(kIdZipRadio);
        test::LocatePanelOf(window)->zip()->setText("K1A 0B1");
        MapRequest request = Command(kIdGo);
        QVERIFY2(Near(request.Get("LAT"), 45.4, 0.2), "K1A is Ottawa");
        QCOMPARE(window.CurrentMarkerSet().country, std::string("Canada"));
        QVERIFY(KeywordField(window)->text() != "Coffee"); // a locate ends the search
        KeywordField(window)->setText("Pizza");
        results = ResultsOf(Command(kIdNext));
        QCOMPARE(results.firstResultPosition, 1);
        QVERIFY(!results.results.empty());
        QVERIFY2(Near(results.results[0].latitude, 45.4, 1.0),
                 "after a Canadian locate the search runs in Canada");
        QCOMPARE(results.totalResultsAvailable, -1); // the Canadian service gives no total
        const int next = 1 + results.totalResultsReturned;
        results = ResultsOf(Command(kIdNext));
        QCOMPARE(results.firstResultPosition, next);
        QVERIFY(Near(results.results.at(0).latitude, 45.4, 1.0));
        QCOMPARE(ResultsOf(Command(kIdPrevious)).firstResultPosition,
                 std::max(next - results.totalResultsReturned, 1));
        QCOMPARE(ResultsOf(Command(kIdSearchIcon)).firstResultPosition, 1);
    }

    void aClickAddsAMarkerWhereTheMapShowsIt() {
        CMapMainDlg& window = StartBoth();
        QTest::qWait(100); // a click right after the load can be dropped
        const MapViewState view = View();
        window.OnCommand(kIdAddMarker);
        QCOMPARE(window.Browser()->placingMode(), int(CExplorer1::Placing));
        const QPoint click(300, 150);
        QWidget* renderer = window.Browser()->focusProxy();
        QVERIFY(renderer);
        const size_t before = run_->Server().RequestCount();
        QTest::mouseClick(renderer, Qt::LeftButton, {}, renderer->mapFrom(window.Browser(), click));
        QVERIFY(run_->WaitForRequests(before + 1));
        QVERIFY(run_->WaitIdle());
        QCOMPARE(run_->details.size(), size_t(1));
        const auto [latitude, longitude] = view.PixelToLatLng(
            click.x(), click.y(), window.Browser()->width(), window.Browser()->height());
        const MarkerSet sent = MarkersOf(Last());
        QCOMPARE(sent.Markers().size(), size_t(1));
        QCOMPARE(sent.Markers()[0].title, std::string("Clicked here"));
        const double degreesPerPixel =
            (Number(view.xMax) - Number(view.xMin)) / (window.Browser()->width() - 30);
        QVERIFY(Near(sent.Markers()[0].lat, Number(latitude), 2 * degreesPerPixel));
        QVERIFY(Near(sent.Markers()[0].lng, Number(longitude), 2 * degreesPerPixel));
        QVERIFY(ViewShows(Number(sent.Markers()[0].lat), Number(sent.Markers()[0].lng)));
        QCOMPARE(run_->PageValue("document.querySelectorAll('.marker-pin').length").toInt(), 1);
    }

    void savesReloadsOpensAndSendsAMarkerSet() {
        CMapMainDlg& window = StartBoth();
        Marker marker;
        marker.lat = "38.8977";
        marker.lng = "-77.0365";
        marker.title = "Office & <home>";
        marker.infoLines = {"line 1", "", "", ""};
        window.CurrentMarkerSet().AddMarker(marker);
        window.CurrentMarkerSet().title = "Trip";
        const std::string saved = (run_->Directory() / "trip.obk").string();
        run_->files << QString::fromStdString(saved);
        run_->RunCommand(kIdSaveMarkers);
        QVERIFY(!window.CurrentMarkerSet().IsModified());

        window.CurrentMarkerSet().Clear();
        run_->files << QString::fromStdString(saved);
        MapRequest request = Command(kIdLoadMarkers);
        QCOMPARE(request.Get("ACTION"), std::string("10"));
        MarkerSet sent = MarkersOf(request);
        QCOMPARE(sent.title, std::string("Trip"));
        QCOMPARE(sent.Markers().size(), size_t(1));
        QCOMPARE(sent.Markers()[0].title, std::string("Office & <home>"));
        QVERIFY(ViewShows(38.8977, -77.0365));

        test::MailCatcher catcher;
        QDesktopServices::setUrlHandler("mailto", &catcher, "open");
        run_->RunCommand(kIdSendMarkers);
        QDesktopServices::unsetUrlHandler("mailto");
        QCOMPARE(catcher.links.size(), 1);
        QVERIFY(catcher.links[0].scheme() == "mailto");
        const auto forSend = run_->Directory() / "program" / "MarkerSets" / "ForSend.obk";
        MarkerSet mailed;
        std::string text;
        QVERIFY(ReadWholeFile(forSend, 1 << 20, text) && mailed.FromXml(text));
        QCOMPARE(mailed.Markers().size(), size_t(1));

        // A second run opens the file named on its command line.
        run_->CloseClient();
        const size_t before = run_->Server().RequestCount();
        CMapMainDlg& reopened = run_->StartClient("\"" + saved + "\"");
        QVERIFY(run_->WaitForRequests(before + 1));
        QVERIFY(run_->WaitIdle());
        request = Last();
        QCOMPARE(request.Get("TYPE"), std::string("16"));
        QCOMPARE(MarkersOf(request).Markers().size(), size_t(1));
        QVERIFY(reopened.windowTitle().endsWith(" - Trip"));
    }

    void aFavoriteReplaysThePlaceItWasAddedAt() {
        CMapMainDlg& window = StartBoth();
        window.OnCommand(kIdZipRadio);
        test::LocatePanelOf(window)->zip()->setText("98101");
        const MapRequest seattle = Command(kIdGo);
        run_->prompts.nameFavorite = [](QString& name) {
            name = "Seattle";
            return true;
        };
        window.OnCommand(kIdAddFavorite);
        test::LocatePanelOf(window)->zip()->setText("02108");
        Command(kIdGo);
        QVERIFY(!ViewShows(Number(seattle.Get("LAT")), Number(seattle.Get("LNG"))));

        const MapRequest replayed = Command(kIdFirstFavorite);
        QCOMPARE(replayed.Get("TYPE"), std::string("32"));
        QCOMPARE(replayed.Get("LAT"), seattle.Get("LAT"));
        QCOMPARE(replayed.Get("LNG"), seattle.Get("LNG"));
        QVERIFY(ViewShows(Number(seattle.Get("LAT")), Number(seattle.Get("LNG"))));
        QVERIFY(window.windowTitle().contains("Seattle"));
        FavoritesList stored;
        FavoritesStore(stored, RegistryKey::DefaultStoreFile()).Load();
        QCOMPARE(stored.Count(), 1);
    }

    void aSettingsChangeReachesTheServerAndThePage() {
        CMapMainDlg& window = StartBoth();
        QCOMPARE(run_->PageValue("document.body.className"), QString("satellite"));
        run_->prompts.editSettings = [](SettingsStore& settings) {
            settings.Set(SettingsStore::MapTypeIndex, 0);
            settings.Set(SettingsStore::DefaultZoom, 9);
            settings.Set(SettingsStore::MapControl, static_cast<int>(MapControlKind::Small));
            return settings.Save();
        };
        Command(kIdSettings);
        window.OnCommand(kIdLatLngRadio);
        const MapRequest request = Command(kIdGo);
        QCOMPARE(request.Get("MAPT"), std::string("0"));
        QCOMPARE(request.Get("ZOOM"), std::string("9"));
        QVERIFY(!request.Has("FZ"));
        QCOMPARE(View().zoom, 9);
        // Small controls keep the scale: only "no map control" goes without.
        QCOMPARE(run_->PageValue("document.body.className"), QString("plain"));
        QCOMPARE(
            run_->PageValue("getComputedStyle(document.querySelector('.leaflet-control-scale'))"
                            ".display"),
            QString("block"));
    }

    void newerDefinitionsAreDownloadedAtStartUpAndUsed() {
        run_ = std::make_unique<test::ClientHarness>();
        QVERIFY(run_->StartServer({"--definitions-version", "7"}));
        run_->WriteProgramDirectory([](std::string& xml) {
            test::ReplaceAll(xml, "<GeoCoderSetting Ver=\"7\"", "<GeoCoderSetting Ver=\"3\"");
            test::ReplaceAll(xml, "LocalSearchKey=\"Pizza\"", "LocalSearchKey=\"Old\"");
        });
        CMapMainDlg& window = run_->StartClient();
        QVERIFY(run_->WaitForRequests(1));
        QVERIFY(run_->WaitIdle());
        QCOMPARE(Last().Get("DE"), std::string("7"));
        QCOMPARE(window.State().Keyword(), std::string("Pizza"));
        std::string installed;
        QVERIFY(ReadWholeFile(run_->Directory() / "program" / "Map.dat", 1 << 20, installed));
        QCOMPARE(installed, run_->Server().Get("/map/definitions/Map.dat"));
    }

    void aVanishedServerShowsTheErrorPage() {
        CMapMainDlg& window = StartBoth();
        run_->Server().Stop();
        window.OnCommand(kIdGo);
        QVERIFY(test::WaitUntil([&] { return window.Browser()->url().isLocalFile(); }, 30000));
        QVERIFY(run_->WaitIdle());
        QVERIFY(window.Browser()->url().toLocalFile().endsWith("html/HomeSiteError.htm"));
        QVERIFY(GoButton(window)->isEnabled());
    }
};

int main(int argc, char** argv) {
    orbisk::test::PrepareWebEngineForTests();
    QApplication application(argc, argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_end_to_end.moc"
