// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's markers: placing, editing, saving, loading and sending
// them, and marker set files named on the command line. Runs offscreen.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "interchange/exchange_file.h"
#include "mail_catcher.h"
#include "map_window_fixture.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "markers/ui/import_options_dialog.h"
#include "web_engine_test.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <fstream>

using namespace orbisk;
using namespace orbisk::test;

class TestMapMainDlgMarkers : public QObject, private MapWindowFixture {
    Q_OBJECT

private slots:
    void init() { SetUp(); }
    void cleanup() { TearDown(); }

    void aMissingCommandLineFileIsReported() {
        CMapMainDlg& window = Start("", "\"/no/such/file.obk\"");
        QCOMPARE(messages_, QStringList{"Failed to find marker set file /no/such/file.obk"});
        QCOMPARE(window.State().JobCode(), 13); // the normal first job runs
    }

    void aCommandLineFileIsOpened() {
        const auto file = dir_->Path() / "trip.obk";
        std::ofstream(file)
            << "<DataSet><MarkerSet CenterLng=\"-75\" CenterLat=\"45\" Zoom=\"8\" Title=\"Trip\" "
               "Country=\"Canada\"><Marker Lat=\"45\" Lng=\"-75\" "
               "Title=\"A\"/></MarkerSet></DataSet>";
        CMapMainDlg& window = Start("", "\"" + file.string() + "\"");
        QCOMPARE(window.State().JobCode(), 16);
        QCOMPARE(window.State().ActionCode(), 11);
        QCOMPARE(window.State().Keyword(), std::string());
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
        QCOMPARE(window.State().ActionCode(), 8);
        QCOMPARE(window.State().JobCode(), 8);
        QTRY_VERIFY(window.windowTitle().endsWith(" *"));
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
        Command(kIdSaveMarkers);
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
        QCOMPARE(window.State().JobCode(), 16);
        QCOMPARE(window.State().ActionCode(), 10);
        QVERIFY(!window.CurrentMarkerSet().IsModified());
        WaitIdle();

        MailCatcher catcher;
        QDesktopServices::setUrlHandler("mailto", &catcher, "open");
        Command(kIdSendMarkers);
        QCOMPARE(catcher.links.size(), 1);
        QVERIFY(catcher.links[0]
                    .toString(QUrl::FullyEncoded)
                    .startsWith("mailto:?subject=Current%20Marker%20Set"));
        QVERIFY(QFile::exists(
            QString::fromStdString((dir_->Path() / "MarkerSets" / "ForSend.obk").string())));
        QVERIFY(messages_.last().startsWith("Current marker set information has been saved to\n"));
        {
            // A browser as the only mailto handler: the user is told where the file is.
            const MailCatcher browserOnly(false);
            Command(kIdSendMarkers);
            QVERIFY(messages_.last().startsWith("No mail program is set up on this computer."));
            QVERIFY(messages_.last().endsWith("ForSend.obk"));
            QCOMPARE(catcher.links.size(), 1);
        }

        // A folder that cannot be written: both say why, and Send stops there.
        std::filesystem::remove_all(dir_->Path() / "MarkerSets");
        std::ofstream(dir_->Path() / "MarkerSets") << "a file where the folder was";
        files_ << QString::fromStdString((dir_->Path() / "MarkerSets" / "mine.obk").string());
        Command(kIdSaveMarkers);
        QVERIFY2(messages_.last().startsWith("Failed to save marker set!\nNot a directory: "),
                 qPrintable(messages_.last()));
        Command(kIdSendMarkers);
        QVERIFY2(messages_.last().startsWith("Failed to save marker set to ") &&
                     messages_.last().contains("\nNot a directory: "),
                 qPrintable(messages_.last()));
        QCOMPARE(catcher.links.size(), 1);
        QDesktopServices::unsetUrlHandler("mailto");
    }

    // Import from the menu, the command line's way and a drop; export by name.
    void importsAndExportsMarkerFiles() {
        CMapMainDlg& window = Start();
        WaitIdle();
        const QString data = QString(ORBISK_TEST_DATA_DIR) + "/interchange/";
        window.CurrentMarkerSet().AddMarker({"45", "-75", "Mine", "", {}});
        const auto broken = dir_->Path() / "broken.gpx";
        std::ofstream(broken) << "<gpx><wpt lat=\"45\" lon=\"-200\"/></gpx>";
        files_ << QString::fromStdString(broken.string());
        window.OnCommand(kIdImportMarkers);
        QVERIFY2(messages_.last().endsWith("waypoint 1 has longitude \"-200\", not a number from "
                                           "-180 to 180"),
                 qPrintable(messages_.last()));
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(1));

        prompts_.chooseImport = [](ImportChoice& choice) {
            choice.append = choice.canAppend;
            choice.points = PathPoints::All;
            return true;
        };
        files_ << data + "receiver.gpx";
        window.OnCommand(kIdImportMarkers);
        QCOMPARE(messages_.last(),
                 QString("Imported from receiver.gpx: 2 waypoints; 4 track points."));
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(7));
        QCOMPARE(window.CurrentMarkerSet().Markers()[0].title, std::string("Mine"));
        QVERIFY(window.CurrentMarkerSet().IsModified());
        QCOMPARE(window.State().JobCode(), 16);
        WaitIdle();

        const QString exported = QString::fromStdString((dir_->Path() / "out.geojson").string());
        files_ << exported << QString::fromStdString((dir_->Path() / "out.txt").string());
        window.OnCommand(kIdExportMarkers);
        ImportedPlaces places;
        std::string why;
        QVERIFY(ExchangeFile::Read(exported.toStdString(), places, why));
        QCOMPARE(places.markers.size(), size_t(7));
        window.OnCommand(kIdExportMarkers);
        QVERIFY(messages_.last().startsWith("Failed to export markers: name the file with .gpx"));

        // A drop replaces the set, after the question about its unsaved markers.
        prompts_.chooseImport = {};
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(data + "features.geojson")});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &drop);
        QTRY_COMPARE(window.CurrentMarkerSet().title, std::string("Montreal"));
        QVERIFY(messages_[messages_.size() - 2].startsWith("You have unsaved marker(s)"));
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(3));
        WaitIdle();
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
        Command(kIdEditMarkers);
        QCOMPARE(window.CurrentMarkerSet().Markers().size(),
                 size_t(2)); // Cancel drops the working copy
        QCOMPARE(window.State().JobCode(), 13);
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.Ok();
            return dialog.result();
        };
        Command(kIdEditMarkers);
        QCOMPARE(window.State().JobCode(), 13); // OK without changes requests nothing
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.EditSelected();
            dialog.markerList()->setCurrentRow(1);
            dialog.DeleteSelected();
            dialog.nameEdit()->setText("Trip");
            dialog.Ok();
            return dialog.result();
        };
        Command(kIdEditMarkers);
        QCOMPARE(window.CurrentMarkerSet().Markers().size(), size_t(1));
        QCOMPARE(window.CurrentMarkerSet().Markers()[0].infoLines[0], std::string("first line"));
        QCOMPARE(window.CurrentMarkerSet().title, std::string("Trip"));
        QVERIFY(window.CurrentMarkerSet().IsModified());
        QCOMPARE(window.State().JobCode(), 16);
        QCOMPARE(window.State().ActionCode(), 9);

        WaitIdle();
        const QString saved = QString::fromStdString((dir_->Path() / "edited.obk").string());
        files_ << saved;
        prompts_.editMarkerSet = [](CDialogEditMarkerSet& dialog) {
            dialog.Save();
            dialog.reject();
            return dialog.result();
        };
        Command(kIdEditMarkers);
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
            Command(kIdEditMarkers);
            QCOMPARE(window.CurrentMarkerSet().Markers()[0].title, title);
            QVERIFY(!window.CurrentMarkerSet().IsModified());
            // The map is asked again, to show the saved set.
            QTRY_COMPARE_WITH_TIMEOUT(server_->Bodies().size(), requests + 1, 20000);
        }
    }
};

int main(int argc, char** argv) {
    PrepareWebEngineForTests();
    QApplication application(argc, argv);
    TestMapMainDlgMarkers test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_main_dlg_markers.moc"
