// The main window through its widgets and commands, against a map server
// stand-in on loopback. Runs offscreen.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "app/map_main_dlg.h"
#include "favorites/favorites_store.h"
#include "favorites/ui/add_favorite_dialog.h"
#include "favorites/ui/dialog_edit_favorites.h"
#include "favorites/ui/dialog_rename_favorite.h"
#include "loopback_server.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "protocol/parameter_codec.h"
#include "raw_http_server.h"
#include "scripted_prompts.h"
#include "settings/registry_key.h"
#include "settings/ui/float_number_edit_box.h"
#include "settings/ui/property_sheet_settings.h"
#include "settings/ui/safe_edit_box.h"
#include "temp_dir.h"
#include "web_engine_test.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QWebEngineHistory>
#include <fstream>
#include <httplib.h>
#include <mutex>
#include <thread>

using namespace orbisk;

namespace {

// The map page of the stand-in: the five hidden fields, nothing else.
std::string Page(const char* xMin, const char* xMax, const char* yMin, const char* yMax,
                 const char* zoom) {
    return std::string("<html><body style='margin:0'><form>") +
           "<input type=hidden name=BVXMin value='" + xMin +
           "'><input type=hidden name=BVXMax value='" + xMax +
           "'><input type=hidden name=BVYMin value='" + yMin +
           "'><input type=hidden name=BVYMax value='" + yMax +
           "'><input type=hidden name=BVZoom value='" + zoom +
           "'><input type=hidden name=bvxmin value='1'><input type=hidden name=BVYMax "
           "value=''></form></body></html>";
}

class MapServerStandIn {
public:
    MapServerStandIn() {
        loopback_.http.Post("/map/default.asp", [this](const httplib::Request&,
                                                       httplib::Response& response,
                                                       const httplib::ContentReader& reader) {
            std::string body;
            reader([&](const char* data, size_t length) {
                body.append(data, length);
                return true;
            });
            std::lock_guard lock(mutex_);
            bodies_.push_back(body);
            response.set_content(Page("-80", "-70", "35", "45", "7"), "text/html");
        });
        loopback_.http.Get("/map/definition/version/",
                           [this](const httplib::Request&, httplib::Response& response) {
                               std::lock_guard lock(mutex_);
                               response.set_content(offeredVersion, "text/plain");
                           });
        loopback_.http.Get("/map/definition/path/",
                           [](const httplib::Request&, httplib::Response& response) {
                               response.set_content(",defs/Map.dat,", "text/plain");
                           });
        loopback_.http.Get("/map/defs/Map.dat",
                           [this](const httplib::Request&, httplib::Response& response) {
                               std::lock_guard lock(mutex_);
                               response.set_content(offeredFile, "application/octet-stream");
                           });
        loopback_.Start();
    }
    std::string Host() const { return loopback_.Host(); }
    std::vector<std::string> Bodies() {
        std::lock_guard lock(mutex_);
        return bodies_;
    }
    void OfferDefinitions(const std::string& version, const std::string& encodedFile) {
        std::lock_guard lock(mutex_);
        offeredVersion = version;
        offeredFile = encodedFile;
    }

private:
    std::mutex mutex_;
    std::vector<std::string> bodies_;
    std::string offeredVersion = "0";
    std::string offeredFile;
    test::LoopbackServer loopback_; // stops first: no handler outlives the state it uses
};

// A program directory whose definitions send the client to `host`.
void WriteProgramDirectory(const std::filesystem::path& directory, const std::string& host,
                           const std::string& newestVersion = "1.1") {
    std::string encoded;
    ParameterCodec().Encode(
        "<Definitions><GeoCoderSetting Ver=\"1\"><NewUpdate Name=\"Orbisk 2\" Ver=\"" +
            newestVersion +
            "\" DownloadAddress=\"http://example.org/get\"/><KeyStrings><KeyString/><KeyString>" +
            host + "</KeyString></KeyStrings></GeoCoderSetting></Definitions>",
        encoded);
    std::filesystem::create_directories(directory / "MarkerSets");
    std::ofstream(directory / "Map.dat") << encoded;
    std::filesystem::create_directories(directory / "html");
    std::ofstream(directory / "html" / "HomeSiteError.htm")
        << "<html><body>error page</body></html>";
}

// Stands in for the desktop's mail program.
class MailCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> links;
public slots:
    void open(const QUrl& url) { links << url; }
};

// Counts the paint events of a window and everything in it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) : window_(window) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    QStringList painted;

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(object);
        if (event->type() == QEvent::Paint && widget &&
            (widget == window_ || window_->isAncestorOf(widget)))
            painted << QString::fromLatin1(widget->metaObject()->className());
        return false;
    }

private:
    QWidget* window_;
};

} // namespace

class TestMapMainDlg : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::TempDir> dir_;
    std::unique_ptr<MapServerStandIn> server_;
    test::ScriptedPrompts prompts_;
    std::unique_ptr<CMapMainDlg> window_;
    QStringList& messages_ = prompts_.messages;
    QStringList& files_ = prompts_.files; // what the file dialogs answer, in turn
    std::vector<MarkerDetails>& details_ =
        prompts_.markers; // what the marker detail dialog was shown
    QStringList& updates_ = prompts_.updates;

    // A window started up against the stand-in, its first job loaded.
    CMapMainDlg& Start(const std::string& host = "", const std::string& commandLine = "",
                       const std::string& newestVersion = "1.1") {
        WriteProgramDirectory(dir_->Path(), host.empty() ? server_->Host() : host, newestVersion);
        window_ = std::make_unique<CMapMainDlg>(&prompts_);
        prompts_.editMarker = [](MarkerDetails& details) {
            details.lines[0] = "first line";
            return true;
        };
        window_->resize(800, 600);
        window_->show();
        window_->Initialize(commandLine);
        return *window_;
    }
    void WaitIdle() { QTRY_VERIFY_WITH_TIMEOUT(!window_->Busy(), 20000); }

private slots:
    void init() {
        dir_ = std::make_unique<test::TempDir>();
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((dir_->Path() / "config").string()));
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir_->Path() / "data").string()));
        qputenv(kProgramDirVariable, QByteArray::fromStdString(dir_->Path().string()));
        server_ = std::make_unique<MapServerStandIn>();
        prompts_ = test::ScriptedPrompts();
    }
    void cleanup() {
        window_.reset();
        server_.reset();
        dir_.reset();
    }

    void startUpRunsInOrderAndSendsTheFirstJob() {
        CMapMainDlg& window = Start();
        QCOMPARE(window.StartUpSteps(),
                 (std::vector<std::string>{"environment", "favorites", "settings", "definitions",
                                           "definition update", "inputs", "layout", "first job"}));
        QCOMPARE(window.JobCode(), 13);
        QCOMPARE(window.ActionCode(), 0);
        QCOMPARE(window.Environment().programDirectory, dir_->Path().string());
        QCOMPARE(window.Keyword(), std::string("Pizza"));
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 20000);
        WaitIdle();
        QVERIFY(window.windowTitle().startsWith(
            "Orbisk (North America Edition) - Phone: (202)456-1414"));
        QVERIFY(messages_.isEmpty());
    }

    // The 100 ms timer runs on, but an idle window changes nothing on screen.
    void anIdleWindowPaintsNothing() {
        CMapMainDlg& window = Start();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 20000);
        WaitIdle();
        QTest::qWait(1500); // the size settles and the controls come back
        WaitIdle();
        const PaintCounter counter(&window);
        QTest::qWait(1000);
        QVERIFY2(counter.painted.isEmpty(), qPrintable(counter.painted.join(", ")));
        QVERIFY(!window.Busy());
    }

    void standardKeysReachTheirCommands() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const std::pair<int, const char*> keys[] = {
            {kIdLoadMarkerSet, "Ctrl+O"},      {kIdSaveMarkerSet, "Ctrl+S"}, {kIdPrint, "Ctrl+P"},
            {kIdPrintPreview, "Ctrl+Shift+P"}, {kIdClose, "Ctrl+Q"},         {kIdAbout, "F1"},
            {kIdAddFavorite, "Ctrl+D"}};
        for (const auto& [id, key] : keys)
            QCOMPARE(window.Action(id)->shortcut(), QKeySequence(key));
        // Pressed, not only shown: Ctrl+S saves where the file dialog says.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QString saved = QString::fromStdString((dir_->Path() / "keyed.obk").string());
        files_ << saved;
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(QFile::exists(saved));
        files_ << QString::fromStdString((dir_->Path() / "absent.obk").string());
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QTRY_VERIFY(files_.isEmpty());

        // Every button and menu has its own Alt letter, as does every item of a menu.
        const auto letter = [](const QString& text) {
            const int at = text.indexOf('&');
            return at < 0 || at + 1 >= text.size() ? QChar() : text[at + 1].toLower();
        };
        const auto unique = [](QSet<QChar>& seen, QChar c) {
            if (c.isNull() || seen.contains(c))
                return false;
            seen.insert(c);
            return true;
        };
        QStringList missing;
        QSet<QChar> windowLetters;
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
            if (!button->text().isEmpty() && !unique(windowLetters, letter(button->text())))
                missing << button->text();
        for (QAction* title : window.findChild<QMenuBar*>()->actions()) {
            QMenu* menu = title->menu();
            if (!unique(windowLetters, letter(menu->title())))
                missing << menu->title();
            QSet<QChar> menuLetters;
            for (QAction* action : menu->actions())
                if (!action->isSeparator() && !unique(menuLetters, letter(action->text())))
                    missing << action->text();
        }
        QVERIFY2(missing.isEmpty(), qPrintable("[" + missing.join("] [") + "]"));
    }

    void thePostBodyArrivesByteExact() {
        CMapMainDlg& window = Start();
        QSignalSpy sent(&window, &CMapMainDlg::requestSent);
        WaitIdle();
        window.OnCommand(kIdLatLngRadio);
        window.OnCommand(kIdGo);
        QTRY_VERIFY_WITH_TIMEOUT(sent.size() >= 1, 20000);
        WaitIdle();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(sent.size()), 20000);
        QCOMPARE(QByteArray::fromStdString(server_->Bodies().back()),
                 sent.last().at(1).toByteArray());
        QCOMPARE(sent.last().at(0).toString(),
                 QString::fromStdString("http://" + server_->Host() + "/map/default.asp"));
        QCOMPARE(window.ActionCode(), 3);
        QCOMPARE(window.LastParams(),
                 std::string("SH=3&NS=3&LAT=38.898748&LNG=-77.037684&INFO0=&INFO1=Latitute/"
                             "Longitute: &INFO2=38.898748/-77.037684"));
        QVERIFY(window.Locate()->remark()->isHidden());
        // What cannot be right is sent as typed, and a line beside the fields says why.
        WaitIdle();
        window.Locate()->latitude()->setText("200");
        window.OnCommand(kIdGo);
        QCOMPARE(window.Locate()->remark()->toolTip(),
                 QString("Latitude 200 is out of range (-90 to 90)"));
        QVERIFY(window.Locate()->remark()->isVisibleTo(&window));
        WaitIdle();
        QVERIFY(window.LastParams().rfind("SH=3&NS=3&LAT=200&", 0) == 0);
        QTest::keyClick(window.Locate()->latitude(), Qt::Key_Backspace);
        QVERIFY(window.Locate()->remark()->isHidden());
    }

    void goWhileBusyDoesNothing() {
        CMapMainDlg& window = Start();
        QVERIFY(window.Busy());
        QVERIFY(!window.GoButton()->isEnabled());
        window.OnCommand(kIdGo);
        window.OnCommand(kIdGo);
        QCOMPARE(window.JobCode(), 13);
        WaitIdle();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 5000);
        window.OnTimer();
        QVERIFY(window.GoButton()->isEnabled());
    }

    void readsTheViewAndTurnsPixelsIntoCoordinates() {
        CMapMainDlg& window = Start();
        WaitIdle();
        MapViewState view;
        window.Browser()->ReadMapView(view);
        QCOMPARE(view.xMin, std::string("-80"));
        QCOMPARE(view.yMax, std::string("45")); // an empty value changes nothing
        QCOMPARE(view.zoom, 7);
        QCOMPARE(view.CenterLatitude(), std::string("40.00000000"));
        const int bw = window.Layout().browserWidth;
        QCOMPARE(
            view.PixelToLatLng(15 + (bw - 30) / 2, 200, bw, window.Layout().browserHeight).second,
            std::string("-75.00000000"));
    }

    void switchesModesAndShowsOnlyTheirFields() {
        CMapMainDlg& window = Start();
        LocatePanel* panel = window.Locate();
        QVERIFY(panel->areaCode()->isVisible());
        window.OnCommand(kIdZipRadio);
        QVERIFY(panel->zip()->isVisible());
        QVERIFY(!panel->areaCode()->isVisible());
        QCOMPARE(panel->modeCaption()->text(), QString("Zip code or postal code:"));
        QVERIFY(panel->radio(LocateMode::Zip)->isChecked());
        window.OnCommand(kIdStreetRadio);
        QVERIFY(panel->street()->isVisible() && panel->country()->isVisible());
        QCOMPARE(panel->country()->count(), 2);
        QCOMPARE(panel->country()->itemText(1), QString("Canada"));
        window.OnCommand(kIdLocatePanel);
        QVERIFY(!panel->isVisible());
        QCOMPARE(window.Layout().browser.y, 5);
        window.OnCommand(kIdLocatePanel);
        QVERIFY2(panel->street()->isVisible(), "the checked mode comes back");
        QVERIFY(!panel->zip()->isVisible());
    }

    void phoneFieldsTakeDigitsAndAdvance() {
        CMapMainDlg& window = Start();
        LocatePanel* panel = window.Locate();
        panel->areaCode()->clear();
        panel->areaCode()->setFocus();
        QTest::keyClicks(panel->areaCode(), "2a0-2");
        QCOMPARE(panel->areaCode()->text(), QString("202"));
        QTRY_VERIFY(panel->exchange()->hasFocus());
        QCOMPARE(panel->exchange()->selectedText(), QString("456"));
        QTest::keyClicks(panel->exchange(), "5559");
        QCOMPARE(panel->exchange()->text(), QString("555"));
        QTRY_VERIFY(panel->lineNumber()->hasFocus());
    }

    void panelsAndTheLayoutFollowTheWindow() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const MainLayout expected = ComputeMainLayout(
            window.Layout().browserWidth + 28, window.Layout().browser.height + 149, true, true);
        QCOMPARE(window.Browser()->geometry(),
                 QRect(expected.browser.x, expected.browser.y, expected.browser.width,
                       expected.browser.height));
        QCOMPARE(window.GoButton()->geometry(), QRect(expected.go.x, expected.go.y, 30, 24));
        window.OnCommand(kIdLocatePanel);
        window.OnCommand(kIdBottomPanel);
        QCOMPARE(window.Layout().browser.y, 5);
        QCOMPARE(window.Layout().browserHeight, window.Layout().browser.height);
        QVERIFY(!window.KeywordField()->isVisible());
        QCOMPARE(window.ActionCode(), 4); // a panel change asks for the map again
    }

    // Every caption, label and button shows its whole text in each locate
    // mode, and the status line holds its longest texts.
    void everyTextFitsItsControl() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        QStringList clipped;
        const auto check = [&](QWidget* control, const QString& text, int room) {
            QString shown = text;
            shown.remove('&');
            if (control->isVisible() && control->fontMetrics().horizontalAdvance(shown) > room)
                clipped << shown;
        };
        for (int mode = kIdPhoneRadio; mode <= kIdLatLngRadio; ++mode) {
            window.OnCommand(mode);
            for (QLabel* label : window.findChildren<QLabel*>())
                if (!label->text().isEmpty())
                    check(label, label->text(), label->contentsRect().width());
            for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
                const int decoration = qobject_cast<QRadioButton*>(button) ? 22 : 8;
                check(button, button->text(), button->width() - decoration);
            }
        }
        for (const char* status : {" No current search", "1000 to 1010 of 1000"})
            check(window.StatusText(), status, window.StatusText()->contentsRect().width());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(" | ")));
    }

    void theMapIsRequestedOnceAfterTheSizeSettles() {
        CMapMainDlg& window = Start();
        WaitIdle();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 5000);
        for (int step = 0; step < 6; ++step) {
            window.resize(window.minimumWidth() + 10 * step, 560);
            window.OnTimer();
        }
        for (int tick = 0; tick < 10; ++tick) {
            window.OnTimer();
            QVERIFY(!window.Busy());
        }
        window.OnTimer();
        QVERIFY(window.Busy());
        QCOMPARE(window.JobCode(), 8);
        QCOMPARE(window.ActionCode(), 4);
        WaitIdle();
        for (int tick = 0; tick < 30; ++tick)
            window.OnTimer();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(2), 5000);
        QCOMPARE(server_->Bodies().size(), size_t(2)); // exactly one job
    }

    void aNavigationErrorShowsTheLocalPageThenGivesUp() {
        CMapMainDlg& window = Start(test::ClosedLoopbackHost());
        QTRY_VERIFY_WITH_TIMEOUT(window.Browser()->url().isLocalFile(), 20000);
        WaitIdle();
        QVERIFY(window.Browser()->url().toLocalFile().endsWith("html/HomeSiteError.htm"));
    }

    void keywordPagingAsksForAKeyword() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnCommand(kIdGo);
        QCOMPARE(window.KeywordField()->text(), QString());
        QCOMPARE(window.KeywordField()->placeholderText(), QString(kKeywordCueText));
        QCOMPARE(window.StatusText()->text(), QString(" No current search"));
        WaitIdle();
        window.OnTimer();
        window.OnCommand(kIdNext);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith("Please type in the keyword(s)"));
        window.OnCommand(kIdSearchIcon);
        QCOMPARE(messages_.size(), 2);
    }

    void aMissingCommandLineFileIsReported() {
        CMapMainDlg& window = Start("", "\"/no/such/file.obk\"");
        QCOMPARE(messages_, QStringList{"Failed to find marker set file /no/such/file.obk"});
        QCOMPARE(window.JobCode(), 13); // the normal first job runs
    }

    void aCommandLineFileIsOpened() {
        const auto file = dir_->Path() / "trip.obk";
        std::ofstream(file)
            << "<DataSet><MarkerSet CenterLng=\"-75\" CenterLat=\"45\" Zoom=\"8\" Title=\"Trip\" "
               "Country=\"Canada\"><Marker Lat=\"45\" Lng=\"-75\" "
               "Title=\"A\"/></MarkerSet></DataSet>";
        CMapMainDlg& window = Start("", "\"" + file.string() + "\"");
        QCOMPARE(window.JobCode(), 16);
        QCOMPARE(window.ActionCode(), 11);
        QCOMPARE(window.Keyword(), std::string());
        WaitIdle();
        QVERIFY(window.windowTitle().endsWith(" - Trip"));
    }

    void placesAMarkerWhereTheMapWasClicked() {
        CMapMainDlg& window = Start();
        WaitIdle();
        QTest::qWait(100); // a click right after the load can be dropped
        window.OnCommand(kIdAddMarker);
        window.OnCommand(kIdAddMarker);
        QCOMPARE(window.Browser()->placingMode(), int(CExplorer1::Normal));
        window.OnCommand(kIdAddMarker);
        QCOMPARE(window.Browser()->placingMode(), int(CExplorer1::Placing));
        const QPoint click(215, 140);
        QWidget* renderer = window.Browser()->focusProxy();
        QVERIFY(renderer);
        QTest::mouseClick(renderer, Qt::LeftButton, {}, renderer->mapFrom(window.Browser(), click));
        QTRY_COMPARE_WITH_TIMEOUT(details_.size(), size_t(1), 5000);
        QCOMPARE(details_[0].title, QString("My marker name 1"));
        QCOMPARE(details_[0].url, QString("http://"));
        MapViewState view{"-80", "-70", "35", "45", 7};
        const auto [latitude, longitude] = view.PixelToLatLng(
            click.x(), click.y(), window.Browser()->width(), window.Browser()->height());
        const double degreesPerPixel = 10.0 / (window.Browser()->width() - 30);
        QVERIFY(std::abs(details_[0].latitude.toDouble() - std::stod(latitude)) <= degreesPerPixel);
        QVERIFY(std::abs(details_[0].longitude.toDouble() - std::stod(longitude)) <=
                degreesPerPixel);
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(1));
        QCOMPARE(window.CurrentMarkerSet().Markers()[0].url, std::string());
        QCOMPARE(window.CurrentMarkerSet().Markers()[0].infoLines.size(), size_t(4));
        QCOMPARE(window.Browser()->placingMode(), int(CExplorer1::Normal));
        QCOMPARE(window.ActionCode(), 8);
        QCOMPARE(window.JobCode(), 8);
        QTRY_VERIFY(window.windowTitle().endsWith(" *"));
    }

    // A right-click offers the map's commands, never Back or Reload, and no
    // page the user left can be brought back.
    void theMapMenuReplacesTheBrowsersMenu() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        window.OnCommand(kIdGo);
        WaitIdle();
        QVERIFY(!window.Browser()->history()->canGoBack());
        const QPoint click(215, 140);
        // What the browser engine does on a right-click under the custom policy.
        QCOMPARE(window.Browser()->contextMenuPolicy(), Qt::CustomContextMenu);
        emit window.Browser()->customContextMenuRequested(click);
        auto* menu = window.Browser()->findChild<QMenu*>();
        QVERIFY(menu);
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"&Add Marker Here", "&Copy Coordinates"}));
        menu->actions()[1]->trigger();
        MapViewState view{"-80", "-70", "35", "45", 7};
        const auto [latitude, longitude] = view.PixelToLatLng(
            click.x(), click.y(), window.Browser()->width(), window.Browser()->height());
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromStdString(latitude + ", " + longitude));
        menu->actions()[0]->trigger();
        menu->close();
        QTRY_COMPARE_WITH_TIMEOUT(details_.size(), size_t(1), 5000);
        QCOMPARE(details_[0].latitude.toStdString(), latitude);
    }

    void savesLoadsAndSendsMarkerSets() {
        CMapMainDlg& window = Start();
        WaitIdle();
        Marker outside;
        outside.lat = "10";
        outside.lng = "10";
        window.CurrentMarkerSet().AddMarker(outside);
        const QString saved = QString::fromStdString((dir_->Path() / "saved.obk").string());
        files_ << saved;
        window.OnCommand(kIdSaveMarkers);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith(
            "In current marker set, there is 1 marker in total. It is currently out"));
        QVERIFY(QFile::exists(saved));
        QVERIFY(!window.CurrentMarkerSet().IsModified());

        window.CurrentMarkerSet().SetModified(true);
        files_ << saved;
        window.OnCommand(kIdLoadMarkers);
        QCOMPARE(messages_.size(), 2);
        QVERIFY(messages_[1].startsWith("You have unsaved marker(s)"));
        QCOMPARE(window.JobCode(), 16);
        QCOMPARE(window.ActionCode(), 10);
        QVERIFY(!window.CurrentMarkerSet().IsModified());
        WaitIdle();

        MailCatcher catcher;
        QDesktopServices::setUrlHandler("mailto", &catcher, "open");
        window.OnCommand(kIdSendMarkers);
        QCOMPARE(catcher.links.size(), 1);
        QVERIFY(catcher.links[0]
                    .toString(QUrl::FullyEncoded)
                    .startsWith("mailto:?subject=Current%20Marker%20Set"));
        QVERIFY(QFile::exists(
            QString::fromStdString((dir_->Path() / "MarkerSets" / "ForSend.obk").string())));
        QVERIFY(messages_.last().startsWith("Current marker set information has been saved to\n"));

        // A folder that cannot be written: both say why, and Send stops there.
        std::filesystem::remove_all(dir_->Path() / "MarkerSets");
        std::ofstream(dir_->Path() / "MarkerSets") << "a file where the folder was";
        files_ << QString::fromStdString((dir_->Path() / "MarkerSets" / "mine.obk").string());
        window.OnCommand(kIdSaveMarkers);
        QVERIFY2(messages_.last().startsWith("Failed to save marker set!\nNot a directory: "),
                 qPrintable(messages_.last()));
        window.OnCommand(kIdSendMarkers);
        QVERIFY2(messages_.last().startsWith("Failed to save marker set to ") &&
                     messages_.last().contains("\nNot a directory: "),
                 qPrintable(messages_.last()));
        QCOMPARE(catcher.links.size(), 1);
        QDesktopServices::unsetUrlHandler("mailto");
    }

    void closingAsksAboutUnsavedMarkers() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.CurrentMarkerSet().AddMarker(Marker());
        prompts_.answers = {QMessageBox::Cancel};
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QVERIFY(messages_.last().contains("Click \"Cancel\" to return to Orbisk."));
    }

    void helpUpdateOffersOnlyANewerProgram() {
        CMapMainDlg& window = Start();
        window.OnCommand(kIdUpdate);
        QCOMPARE(messages_, QStringList{"Currently no update is available."});
        QVERIFY(updates_.isEmpty());
        WaitIdle();
        window_.reset();
        CMapMainDlg& newer = Start("", "", "1.2");
        newer.OnCommand(kIdUpdate);
        QCOMPARE(updates_, (QStringList{"Orbisk 2", "http://example.org/get"}));
    }

    // A damaged store is kept aside and named; a save that fails is said,
    // and the favorite stays for the session.
    void tellsWhenTheStoreCannotBeReadOrWritten() {
        const auto store = RegistryKey::DefaultStoreFile();
        std::filesystem::create_directories(store.parent_path());
        std::ofstream(store) << "not a database at all";
        CMapMainDlg& window = Start();
        WaitIdle();
        QCOMPARE(messages_.size(), 1);
        QVERIFY2(messages_[0].contains("cannot be read") &&
                     messages_[0].contains(QString::fromStdString(store.string()) + ".unreadable-"),
                 qPrintable(messages_[0]));
        std::filesystem::remove_all(store);
        std::filesystem::create_directory(store);
        prompts_.nameFavorite = [](QString& name) { return !(name = "Home").isEmpty(); };
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 1);
        QCOMPARE(messages_.size(), 2);
        QVERIFY2(messages_[1].contains("favorites could not be saved"), qPrintable(messages_[1]));
    }

    void addsMirrorsAndReplaysFavorites() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const std::string located = window.LastParams();
        prompts_.nameFavorite = [](QString& name) {
            name = "Home & office";
            return true;
        };
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 1);
        QAction* item = window.Action(kIdFirstFavorite);
        QVERIFY(item);
        QCOMPARE(item->text(), QString("Home & office"));
        FavoritesList stored;
        FavoritesStore(stored, RegistryKey::DefaultStoreFile()).Load();
        QCOMPARE(stored.Count(), 1);
        QCOMPARE(stored.Items()[0].parameters, located);

        window.OnCommand(kIdFirstFavorite + 5);
        QCOMPARE(window.JobCode(), 13); // no favorite there: nothing starts
        window.OnTimer();
        item->trigger();
        QCOMPARE(window.JobCode(), 32);
        QCOMPARE(window.ActionCode(), 1);
        QCOMPARE(window.LastCaption(), std::string("Home & office"));
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(2), 20000);
        WaitIdle();

        for (int i = 1; i < 10; ++i)
            window.OnCommand(kIdAddFavorite);
        QCOMPARE(window.Favorites().Count(), 10);
        window.OnCommand(kIdAddFavorite);
        QCOMPARE(messages_, QStringList{"Maximum favorites count exceeded."});
        QCOMPARE(window.Favorites().Count(), 10);
        QVERIFY(!window.Action(kIdFirstFavorite + 10));

        prompts_.organizeFavorites = [](FavoritesList& list) {
            while (list.Count() > 1)
                list.RemoveAt(1);
        };
        window.OnCommand(kIdOrganizeFavorites);
        QVERIFY(window.Action(kIdFirstFavorite));
        QVERIFY(!window.Action(kIdFirstFavorite + 1));
    }

    void organizeDeletesAndRenames() {
        FavoritesList list;
        for (const char* title : {"A", "B", "C"})
            list.Add({title, "SH=3"});
        CDialogEditFavorites dialog(list);
        QCOMPARE(dialog.list()->currentRow(), 0);
        dialog.list()->setCurrentRow(1);
        dialog.Delete();
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items()[1].title, std::string("C"));
        QCOMPARE(dialog.list()->currentRow(), 1);
        dialog.Delete();
        QCOMPARE(list.Count(), 1);
        dialog.askNewName = [](const QString&) { return QString("Renamed"); };
        dialog.list()->setCurrentRow(0);
        dialog.Rename();
        QCOMPARE(list.Items()[0].title, std::string("Renamed"));
        QCOMPARE(dialog.list()->item(0)->text(), QString("Renamed"));
        CDialogRenameFavorite rename("Old");
        rename.nameEdit()->setText("Typed");
        rename.reject();
        QCOMPARE(rename.Name(), QString("Old"));
        CAddFavoriteDialog add("Zip code(postal code): 20502");
        QCOMPARE(add.Name(), QString("Zip code(postal code): 20502"));
    }

    void settingsSheetReadsOnlyPagesThatWereShown() {
        SettingsStore settings(dir_->Path() / "registry.sqlite3");
        settings.Set(SettingsStore::MapControl, 5);
        settings.Set(SettingsStore::DefaultZoom, 20);
        settings.Set(SettingsStore::UpdatePreferenceIndex, 7);
        CPropertySheetSettings sheet(settings);
        sheet.show();
        QCOMPARE(sheet.mapPage->controlList->currentIndex(), -1);
        QCOMPARE(sheet.mapPage->zoomSlider->value(), 16);
        QVERIFY(sheet.updatePage->buttons[2]->isChecked());
        sheet.Apply(settings);
        QCOMPARE(settings.Get(SettingsStore::MapControl), -1);
        QCOMPARE(settings.Get(SettingsStore::DefaultZoom), 16);
        QCOMPARE(settings.Get(SettingsStore::UpdatePreferenceIndex),
                 7); // the Update page was never shown
        sheet.tabs->setCurrentIndex(1);
        sheet.tabs->setCurrentIndex(2);
        sheet.favoritesPage->maximumSlider->setValue(25);
        sheet.Apply(settings);
        QCOMPARE(settings.Get(SettingsStore::UpdatePreferenceIndex), 2);
        QCOMPARE(settings.Get(SettingsStore::MaxFavorites), 25);
    }

    void confirmedSettingsReachTheServer() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        prompts_.editSettings = [](SettingsStore& settings) {
            settings.Set(SettingsStore::MapTypeIndex, 0);
            settings.Set(SettingsStore::DefaultZoom, 9);
            settings.Set(SettingsStore::MaxFavorites, 25);
            return settings.Save();
        };
        window.OnCommand(kIdSettings);
        QCOMPARE(window.JobCode(), 8);
        QCOMPARE(window.ActionCode(), 2);
        QCOMPARE(window.Favorites().Maximum(), 25);
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(2), 20000);
        std::string w, q;
        QVERIFY(ParameterCodec().Decode(server_->Bodies().back().substr(4), w));
        QVERIFY(ParameterCodec().Decode(w.substr(2, w.find("&L=") - 2), q));
        QVERIFY(q.find("&MAPT=0&MAPC=0&ZOOM=9&VER=1.10") != std::string::npos);
        SettingsStore reloaded(RegistryKey::DefaultStoreFile());
        reloaded.Load();
        QCOMPARE(reloaded.Get(SettingsStore::DefaultZoom), 9);
    }

    void theMarkerSetDialogEditsDeletesAndHandsOver() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        for (const char* title : {"A", "B"}) {
            Marker marker;
            marker.lat = "38.9";
            marker.lng = "-77";
            marker.title = title;
            marker.infoLines = {"", "", "", ""};
            window.CurrentMarkerSet().AddMarker(marker);
        }
        window.CurrentMarkerSet().SetModified(false);
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.DeleteSelected();
            dialog.reject();
            return dialog.result();
        };
        window.OnCommand(kIdEditMarkers);
        QCOMPARE(window.CurrentMarkerSet().Markers().size(),
                 size_t(2)); // Cancel drops the working copy
        QCOMPARE(window.JobCode(), 13);
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.Ok();
            return dialog.result();
        };
        window.OnCommand(kIdEditMarkers);
        QCOMPARE(window.JobCode(), 13); // OK without changes requests nothing
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.EditSelected();
            dialog.markerList()->setCurrentRow(1);
            dialog.DeleteSelected();
            dialog.nameEdit()->setText("Trip");
            dialog.Ok();
            return dialog.result();
        };
        window.OnCommand(kIdEditMarkers);
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(1));
        QCOMPARE(window.CurrentMarkerSet().Markers()[0].infoLines[0], std::string("first line"));
        QCOMPARE(window.CurrentMarkerSet().title, std::string("Trip"));
        QVERIFY(window.CurrentMarkerSet().IsModified());
        QCOMPARE(window.JobCode(), 16);
        QCOMPARE(window.ActionCode(), 9);

        WaitIdle();
        const QString saved = QString::fromStdString((dir_->Path() / "edited.obk").string());
        files_ << saved;
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.Save();
            dialog.reject();
            return dialog.result();
        };
        window.OnCommand(kIdEditMarkers);
        QVERIFY(QFile::exists(saved));
        QVERIFY(!window.CurrentMarkerSet().IsModified());

        // An edit saved inside the dialog stays, whichever button closes it.
        for (const char* closing : {"OK", "Cancel"}) {
            WaitIdle();
            files_ << saved;
            const std::string title = std::string("Saved, then ") + closing;
            prompts_.editMarkerSet = [&](CDialogEditMarkerSet& dialog) {
                dialog.editMarker = [&](MarkerDetails& details) {
                    details.title = QString::fromStdString(title);
                    return true;
                };
                dialog.EditSelected();
                dialog.Save();
                closing == std::string("OK") ? dialog.Ok() : dialog.reject();
                return dialog.result();
            };
            const size_t requests = server_->Bodies().size();
            window.OnCommand(kIdEditMarkers);
            QCOMPARE(window.CurrentMarkerSet().Markers()[0].title, title);
            QVERIFY(!window.CurrentMarkerSet().IsModified());
            // The map is asked again, to show the saved set.
            QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), requests + 1, 20000);
        }
    }

    void startUpDownloadsNewerDefinitionsAndUsesThem() {
        std::string encoded;
        QVERIFY(ParameterCodec().Encode(
            "<Definitions><GeoCoderSetting Ver=\"5\"><MapInitialStatus LocalSearchKey=\"Coffee\" "
            "NPA=\"613\"/>"
            "<KeyStrings><KeyString/><KeyString>" +
                server_->Host() + "</KeyString></KeyStrings></GeoCoderSetting></Definitions>",
            encoded));
        server_->OfferDefinitions("5", encoded);
        CMapMainDlg& window = Start();
        QCOMPARE(window.Keyword(), std::string("Coffee"));
        QCOMPARE(window.Inputs().npa, std::string("613"));
        std::ifstream file(dir_->Path() / "Map.dat");
        QCOMPARE(std::string(std::istreambuf_iterator<char>(file), {}), encoded);
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 20000);
        std::string w, q;
        QVERIFY(ParameterCodec().Decode(server_->Bodies()[0].substr(4), w));
        QVERIFY(ParameterCodec().Decode(w.substr(2, w.find("&L=") - 2), q));
        QVERIFY(q.find("&DE=5&") != std::string::npos);
    }

    void editBoxesRefuseWhatTheyMust() {
        CFloatNumberEditBox number;
        number.setText("12.5");
        number.setCursorPosition(4);
        QTest::keyClicks(&number, ".a");
        QCOMPARE(number.text(), QString("12.5"));
        number.setCursorPosition(1);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.text(), QString("12.5"));
        number.setCursorPosition(0);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.text(), QString("-12.5"));
        number.setCursorPosition(0);
        QTest::keyClick(&number, '-');
        QCOMPARE(number.text(), QString("-12.5"));
        CFloatNumberEditBox comma; // a decimal comma is the point, once
        QTest::keyClicks(&comma, "40,7,1");
        QCOMPARE(comma.text(), QString("40.71"));

        CSafeEditBox safe;
        QTest::keyClicks(&safe, "a&b=c?d");
        QCOMPARE(safe.text(), QString("abcd"));
        QApplication::clipboard()->setText("x&y");
        safe.paste();
        QCOMPARE(safe.text(), QString("abcd")); // pasted text is held to the same rule
    }
};

int main(int argc, char** argv) {
    orbisk::test::PrepareWebEngineForTests();
    QApplication application(argc, argv);
    TestMapMainDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_main_dlg.moc"
