// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's keys and its close path: Enter, Escape, a late answer of
// the page, and what closing or loading does to unsaved markers. Runs offscreen.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "map_window_fixture.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <QWebEnginePage>
#include <atomic>
#include <fstream>

using namespace orbisk;
using namespace orbisk::test;

class TestMapMainDlgKeys : public QObject, private MapWindowFixture {
    Q_OBJECT

    // A set of two markers in a file, loaded as the current set.
    void LoadTwoMarkers(CMapMainDlg& window) {
        const auto file = dir_->Path() / "two.obk";
        std::ofstream(file) << "<DataSet><MarkerSet CenterLng=\"-87.6\" CenterLat=\"41.9\" "
                               "Zoom=\"9\" Title=\"Chicago\"><Marker Lat=\"41.9\" Lng=\"-87.6\" "
                               "Title=\"A\"/><Marker Lat=\"42\" Lng=\"-87.7\" "
                               "Title=\"B\"/></MarkerSet></DataSet>";
        files_ << QString::fromStdString(file.string());
        window.OnCommand(kIdLoadMarkers);
        WaitIdle();
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(2));
    }

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    // The page answers the view read only after its time-out: the job goes on
    // with the view it had, and the late answer writes nowhere.
    void aLateAnswerOfThePageIsHarmless() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        const size_t before = server_->Bodies().size();
        window.Browser()->page()->runJavaScript(
            "const until = Date.now() + 2500; while (Date.now() < until) {}");
        window.OnCommand(kIdGo);
        QTRY_VERIFY_WITH_TIMEOUT(server_->Bodies().size() > before, 10000);
        QTest::qWait(1500); // past the page's answer
        QCOMPARE(window.State().ActionCode(), 3);
        WaitIdle();
    }

    void enterIsGoInTheLocateFieldsAndSearchesInTheKeywordField() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        for (const QToolButton* icon : window.findChildren<QToolButton*>())
            if (icon->toolTip() == "Find a new location")
                QCOMPARE(icon->focusPolicy(), Qt::NoFocus); // Go has the keyboard
        // A new keyword pages from 1; the same one with no page after it
        // searches the area again.
        for (const auto& [keyword, action] : {std::pair{"Bank", 5}, std::pair{"Bank", 7}}) {
            KeywordField(window)->setFocus();
            KeywordField(window)->setText(keyword);
            QTest::keyClick(KeywordField(window), Qt::Key_Return);
            QCOMPARE(window.State().ActionCode(), action);
            WaitIdle();
            window.OnTimer();
        }
        for (const char* keyword : {"Pizza", ""}) {
            KeywordField(window)->setText(keyword);
            test::LocatePanelOf(window)->areaCode()->setFocus();
            QTest::keyClick(test::LocatePanelOf(window)->areaCode(), Qt::Key_Return);
            QCOMPARE(window.State().ActionCode(), 3);
            QVERIFY(messages_.isEmpty());
            WaitIdle();
            window.OnTimer();
        }
    }

    // Escape is Close: the same question, and the window stays unless the
    // markers were saved or let go.
    void escapeAndCloseKeepUnsavedMarkers() {
        struct Case {
            QMessageBox::StandardButton answer;
            const char* saveTo; // what the save dialog answers; "" cancels it
            bool closes;
        };
        const Case cases[] = {
            {QMessageBox::Cancel, "", false},
            {QMessageBox::Yes, "", false},
            {QMessageBox::Yes, "no-such-folder/mine.obk", false},
            {QMessageBox::Yes, "mine.obk", true},
            {QMessageBox::No, "", true},
        };
        for (const Case& c : cases) {
            CMapMainDlg& window = Start();
            WaitIdle();
            Marker inView; // no out-of-screen question before the save
            inView.lat = "40";
            inView.lng = "-75";
            window.CurrentMarkerSet().AddMarker(inView);
            prompts_.answers = {c.answer};
            if (*c.saveTo)
                files_ << QString::fromStdString((dir_->Path() / c.saveTo).string());
            QTest::keyClick(&window, Qt::Key_Escape);
            QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible() || !window.Browser()->ReadingView(), 5000);
            QTest::qWait(50);
            QCOMPARE(window.isVisible(), !c.closes);
            QVERIFY(messages_.first().contains("Click \"Cancel\" to return to Orbisk."));
            messages_.clear();
            files_.clear();
        }
    }

    // Escape with the keyboard in the map reaches the window: the stand-in
    // page has no popup to close, so the window closes as Close does.
    void escapeInTheMapClosesTheWindow() {
        CMapMainDlg& window = Start();
        WaitIdle();
        QTRY_VERIFY_WITH_TIMEOUT(window.Browser()->focusProxy(), 5000);
        QTest::keyClick(window.Browser()->focusProxy(), Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
    }

    // A renamed empty set is unsaved work too.
    void aRenamedEmptySetIsAskedAbout() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.CurrentMarkerSet().title = "Trip";
        window.CurrentMarkerSet().SetModified(true);
        prompts_.answers = {QMessageBox::Cancel};
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(messages_.size(), 1);
    }

    // The page can neither take the view elsewhere nor reach another local port.
    void thePageStaysOnTheMapServersOrigin() {
        LoopbackServer other;
        std::atomic<int> asked{0};
        other.http.Get(".*", [&asked](const httplib::Request&, httplib::Response& response) {
            ++asked;
            response.set_content("taken", "text/plain");
        });
        other.Start();
        CMapMainDlg& window = Start();
        WaitIdle();
        const QUrl before = window.Browser()->url();
        const QString elsewhere = QString::fromStdString("http://" + other.Host() + "/lookups");
        window.Browser()->page()->runJavaScript("fetch('" + elsewhere +
                                                "', {mode: 'no-cors'}).catch(() => {});"
                                                "new Image().src = '" +
                                                elsewhere + "?image';");
        QTest::qWait(500);
        window.Browser()->page()->runJavaScript("location.href = '" + elsewhere + "';");
        QTest::qWait(1000);
        QCOMPARE(asked.load(), 0);
        QCOMPARE(window.Browser()->url(), before);
    }

    void aFailedOrCancelledLoadKeepsTheCurrentSet() {
        CMapMainDlg& window = Start();
        WaitIdle();
        window.OnTimer();
        LoadTwoMarkers(window);
        window.OnTimer();
        const auto truncated = dir_->Path() / "cut.obk";
        std::ofstream(truncated) << "<DataSet><MarkerSet Title=\"Cut\"><Marker Lat=\"4";
        const size_t before = server_->Bodies().size();
        for (const QString& answer : {QString::fromStdString(truncated.string()), QString()}) {
            files_ << answer;
            window.OnCommand(kIdLoadMarkers);
            QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(2));
            QCOMPARE(window.CurrentMarkerSet().title, std::string("Chicago"));
            QVERIFY(!window.Busy());
        }
        QCOMPARE(messages_.size(), 1);
        QVERIFY(messages_[0].startsWith("Failed to load marker set file."));
        QTest::qWait(200);
        QCOMPARE(server_->Bodies().size(), before);
    }
};

int main(int argc, char** argv) {
    PrepareWebEngineForTests();
    QApplication app(argc, argv);
    TestMapMainDlgKeys test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_main_dlg_keys.moc"
