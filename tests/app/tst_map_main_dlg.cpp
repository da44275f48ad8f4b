// SPDX-License-Identifier: GPL-3.0-or-later
// The main window through its widgets and commands, against a map server
// stand-in on loopback: start-up, locate panel, layout and menus. Runs offscreen.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "app/translations.h"
#include "foreign_account.h"
#include "map_window_fixture.h"
#include "raw_http_server.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineHistory>

using namespace orbisk;
using namespace orbisk::test;

namespace {

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

class TestMapMainDlg : public QObject, private MapWindowFixture {
    Q_OBJECT

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void startUpRunsInOrderAndSendsTheFirstJob() {
        CMapMainDlg& window = Start();
        QCOMPARE(window.StartUpSteps(),
                 (std::vector<std::string>{"environment", "favorites", "settings", "definitions",
                                           "definition update", "inputs", "layout", "first job"}));
        QCOMPARE(window.State().JobCode(), 13);
        QCOMPARE(window.State().ActionCode(), 0);
        QCOMPARE(window.Environment().programDirectory, dir_->Path().string());
        QCOMPARE(window.State().Keyword(), std::string("Pizza"));
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
        QCOMPARE(window.State().ActionCode(), 3);
        QCOMPARE(window.State().LastParams(),
                 std::string("SH=3&NS=3&LAT=38.898748&LNG=-77.037684&INFO0=&INFO1=Latitute/"
                             "Longitute: &INFO2=38.898748/-77.037684"));
        QVERIFY(test::LocatePanelOf(window)->remark()->isHidden());
        // What cannot be right is sent as typed, and a line beside the fields says why.
        WaitIdle();
        test::LocatePanelOf(window)->latitude()->setText("200");
        window.OnCommand(kIdGo);
        QCOMPARE(test::LocatePanelOf(window)->remark()->toolTip(),
                 QString("Latitude 200 is out of range (-90 to 90)"));
        QVERIFY(test::LocatePanelOf(window)->remark()->isVisibleTo(&window));
        WaitIdle();
        QVERIFY(window.State().LastParams().rfind("SH=3&NS=3&LAT=200&", 0) == 0);
        QTest::keyClick(test::LocatePanelOf(window)->latitude(), Qt::Key_Backspace);
        QVERIFY(test::LocatePanelOf(window)->remark()->isHidden());
    }

    // A job refused as busy leaves the state as it was: no action code,
    // keyword or page of it survives.
    void commandsWhileBusyDoNothing() {
        CMapMainDlg& window = Start();
        QVERIFY(window.Busy());
        QVERIFY(!GoButton(window)->isEnabled());
        KeywordField(window)->setText("Coffee");
        for (const int command : {kIdGo, kIdGo, kIdNext, kIdPrevious, kIdSearchIcon})
            window.OnCommand(command);
        QCOMPARE(window.State().JobCode(), 13);
        QCOMPARE(window.State().ActionCode(), int(kActionStart));
        QCOMPARE(window.State().Keyword(), std::string("Pizza"));
        QCOMPARE(window.State().Counters().first, 1);
        WaitIdle();
        QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), size_t(1), 5000);
        window.OnTimer();
        QVERIFY(GoButton(window)->isEnabled());
    }

    void readsTheViewAndTurnsPixelsIntoCoordinates() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const MapViewState view = ReadViewNow(*window.Browser());
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
        LocatePanel* panel = test::LocatePanelOf(window);
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
        LocatePanel* panel = test::LocatePanelOf(window);
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
        QCOMPARE(GoButton(window)->geometry(), QRect(expected.go.x, expected.go.y, 30, 24));
        window.OnCommand(kIdLocatePanel);
        window.OnCommand(kIdBottomPanel);
        QCOMPARE(window.Layout().browser.y, 5);
        QCOMPARE(window.Layout().browserHeight, window.Layout().browser.height);
        QVERIFY(!KeywordField(window)->isVisible());
        QCOMPARE(window.State().ActionCode(), 4); // a panel change asks for the map again
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
            check(StatusText(window), status, StatusText(window)->contentsRect().width());
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
        QCOMPARE(window.State().JobCode(), 8);
        QCOMPARE(window.State().ActionCode(), 4);
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

    // Another account's server on the port gets not a byte, and the user hears why.
    void anotherAccountsServerIsNeverAsked() {
        test::ForeignListener stranger;
        if (!stranger.Running())
            QSKIP("only root can start a server as another account");
        Start(stranger.Host());
        QTRY_VERIFY_WITH_TIMEOUT(!messages_.filter("belongs to another user").isEmpty(), 20000);
        WaitIdle();
        QCOMPARE(stranger.BytesReceived(), 0L);
    }

    void keywordPagingAsksForAKeyword() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnCommand(kIdGo);
        QCOMPARE(KeywordField(window)->text(), QString());
        QCOMPARE(KeywordField(window)->placeholderText(), QString(kKeywordCueText));
        QCOMPARE(StatusText(window)->text(), QString(" No current search"));
        WaitIdle();
        window.OnTimer();
        window.OnCommand(kIdNext);
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith("Please type in the keyword(s)"));
        window.OnCommand(kIdSearchIcon);
        QCOMPARE(messages_.size(), 2);
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
        QTRY_COMPARE(QApplication::clipboard()->text(),
                     QString::fromStdString(latitude + ", " + longitude));
        menu->actions()[0]->trigger();
        menu->close();
        QTRY_COMPARE_WITH_TIMEOUT(details_.size(), size_t(1), 5000);
        QCOMPARE(details_[0].latitude.toStdString(), latitude);
    }
};

int main(int argc, char** argv) {
    PrepareWebEngineForTests();
    QApplication application(argc, argv);
    InstallUserLanguage(""); // the language the environment names, as the program does
    TestMapMainDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_main_dlg.moc"
