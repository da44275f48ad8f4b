// SPDX-License-Identifier: GPL-3.0-or-later
// The map page as the user sees it: the real client shows places of a table
// at their zooms, and the page's own pixels must show water where there is
// water (the Great Lakes among it) and land where there is land, with no
// city label over another.
#include "app/command_ids.h"
#include "app/explorer1.h"
#include "app/locate_panel.h"
#include "client_harness.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPdfDocument>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <fstream>
#include <sstream>

using namespace orbisk;

namespace {

struct Probe {
    QString centreLat, centreLng;
    int zoom = 0;
    QString lat, lng, expected, name;
};

std::vector<Probe> Probes() {
    std::ifstream file(std::string(ORBISK_TEST_DATA_DIR) + "/map/water_and_land.tsv");
    std::vector<Probe> probes;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        QStringList f = QString::fromStdString(line).split('\t');
        if (f.size() == 7)
            probes.push_back({f[0], f[1], f[2].toInt(), f[3], f[4], f[5], f[6]});
    }
    return probes;
}

// What the outline canvas holds around a point: the majority of a 5x5
// patch, so that a one-pixel border line does not decide it.
const char* kClassify = R"((function (lat, lng) {
  const field = (id) => Number(document.getElementById(id).value);
  const box = document.getElementById('map').getBoundingClientRect();
  const x = box.left + (lng - field('BVXMin')) / (field('BVXMax') - field('BVXMin')) * box.width;
  const y = box.top + (field('BVYMax') - lat) / (field('BVYMax') - field('BVYMin')) * box.height;
  const canvas = document.querySelector('.leaflet-outlines-pane canvas');
  if (!canvas) return 'nothing drawn';
  const at = canvas.getBoundingClientRect();
  const cx = Math.round((x - at.left) * canvas.width / at.width);
  const cy = Math.round((y - at.top) * canvas.height / at.height);
  const pixels = canvas.getContext('2d').getImageData(cx - 2, cy - 2, 5, 5).data;
  let water = 0;
  for (let i = 0; i < pixels.length; i += 4) {
    const [r, g, b, a] = pixels.slice(i, i + 4);
    if (a < 128 || (b > r + 15 && b > g)) water += 1;
  }
  return water > 12 ? 'water' : 'land';
}))";

// How many city labels there are, and how many pairs of them overlap.
const char* kLabelOverlaps = R"((function () {
  const boxes = [...document.querySelectorAll('.city-label, .region-label')].map((e) => e.getBoundingClientRect());
  let overlaps = 0;
  for (let i = 0; i < boxes.length; i += 1)
    for (let j = i + 1; j < boxes.length; j += 1) {
      const a = boxes[i];
      const b = boxes[j];
      if (a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom) overlaps += 1;
    }
  return boxes.length + ' ' + overlaps;
})())";

// The located city's label, and whether it or any other name covers the pin.
const char* kLocatedName = R"((function () {
  const pin = document.querySelector('.located-pin');
  const label = document.querySelector('.city-label.located');
  if (!pin || !label) return 'no ' + (pin ? 'label' : 'pin');
  const p = pin.getBoundingClientRect();
  const covered = [...document.querySelectorAll('.city-label, .region-label')].some((e) => {
    const b = e.getBoundingClientRect();
    return b.left < p.right && p.left < b.right && b.top < p.bottom && p.top < b.bottom;
  });
  return label.textContent + (covered ? ' covers the pin' : '');
})())";

} // namespace

class TestMapPicture : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::ClientHarness> run_;

    int Zoom() { return run_->PageValue("document.getElementById('BVZoom').value").toInt(); }
    // Clicks the page's own zoom buttons until the map shows `zoom`.
    bool ZoomTo(int zoom) {
        for (int step = 0; step < 20 && Zoom() != zoom; ++step) {
            const int before = Zoom();
            run_->PageValue(QString("document.querySelector('.leaflet-control-zoom-%1').click()")
                                .arg(before > zoom ? "out" : "in"));
            if (!test::WaitUntil([&] { return Zoom() != before; }, 5000))
                return false;
        }
        return Zoom() == zoom;
    }
    bool OutlinesDrawn() {
        return test::WaitUntil(
            [&] {
                return run_->PageValue("String(document.body.dataset.outlines === 'drawn' && "
                                       "document.querySelectorAll('.city-label').length > 0)") ==
                       "true";
            },
            10000);
    }

private slots:
    void initTestCase() {
        run_ = std::make_unique<test::ClientHarness>();
        QVERIFY(run_->StartServer());
        run_->WriteProgramDirectory();
        run_->StartClient();
        QVERIFY(run_->WaitForRequests(1) && run_->WaitIdle());
        run_->Window().OnCommand(kIdLatLngRadio);
    }
    void cleanupTestCase() { run_.reset(); }

    void waterLakesAndLandLieWhereTheyAre() {
        const auto probes = Probes();
        QVERIFY(probes.size() >= 10);
        for (const Probe& probe : probes) {
            LocatePanel* panel = test::LocatePanelOf(run_->Window());
            panel->latitude()->setText(probe.centreLat);
            panel->longitude()->setText(probe.centreLng);
            const size_t before = run_->Server().RequestCount();
            run_->Window().OnCommand(kIdGo);
            QVERIFY(run_->WaitForRequests(before + 1) && run_->WaitIdle());
            QVERIFY2(ZoomTo(probe.zoom), qPrintable(probe.name));
            QVERIFY2(OutlinesDrawn(), qPrintable(probe.name));
            const QString drawn =
                run_->PageValue(QString("%1(%2, %3)").arg(kClassify, probe.lat, probe.lng));
            QVERIFY2(drawn == probe.expected,
                     qPrintable(probe.name + ": " + drawn + ", not " + probe.expected));
            // ORBISK_MAP_PICTURES=DIR keeps what each case showed, to look at.
            // The view's picture is a frame behind the page: give it one.
            if (const QString dir = qEnvironmentVariable("ORBISK_MAP_PICTURES"); !dir.isEmpty()) {
                QTest::qWait(300);
                run_->Window().grab().save(dir + "/" + probe.name + ".png");
            }
            const QStringList labels = run_->PageValue(kLabelOverlaps).split(' ');
            // Close in one city can fill the view; farther out several must be named.
            const int fewest = probe.zoom >= 8 ? 1 : 3;
            QVERIFY2(labels.value(0).toInt() >= fewest, qPrintable(probe.name + ": few labels"));
            QVERIFY2(labels.value(1) == "0",
                     qPrintable(probe.name + ": " + labels.value(1) + " overlapping labels"));
        }
    }

    // The city asked for is always named, beside its pin and clear of it.
    void theLocatedCityIsNamedBesideItsPin() {
        std::ifstream file(std::string(ORBISK_TEST_DATA_DIR) + "/map/located_names.tsv");
        int cases = 0;
        for (std::string line; std::getline(file, line);) {
            if (line.empty() || line[0] == '#')
                continue;
            const QStringList f = QString::fromStdString(line).split('\t');
            QCOMPARE(f.size(), 4);
            LocatePanel* panel = test::LocatePanelOf(run_->Window());
            panel->latitude()->setText(f[0]);
            panel->longitude()->setText(f[1]);
            const size_t before = run_->Server().RequestCount();
            run_->Window().OnCommand(kIdGo);
            QVERIFY(run_->WaitForRequests(before + 1) && run_->WaitIdle());
            QVERIFY2(ZoomTo(f[2].toInt()), qPrintable(f[3]));
            QVERIFY2(OutlinesDrawn(), qPrintable(f[3]));
            QCOMPARE(run_->PageValue(kLocatedName), f[3]);
            ++cases;
        }
        QVERIFY(cases >= 5);
    }

    // On paper: the place's title and address above the map and the scale
    // below it; none of the on-screen controls (zoom, pan) are printed.
    void thePrintedPageShowsThePlaceAndNotTheControls() {
        LocatePanel* panel = test::LocatePanelOf(run_->Window());
        panel->latitude()->setText("41.88");
        panel->longitude()->setText("-87.63");
        const size_t before = run_->Server().RequestCount();
        run_->Window().OnCommand(kIdGo);
        QVERIFY(run_->WaitForRequests(before + 1) && run_->WaitIdle());
        QVERIFY(OutlinesDrawn());
        QByteArray pdf;
        bool done = false;
        const QPageLayout landscape(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                    QMarginsF());
        bool fitted = false;
        run_->Window().Browser()->FitToPaper(landscape, this, [&fitted] { fitted = true; });
        QVERIFY(test::WaitUntil([&] { return fitted; }, 5000));
        run_->Window().Browser()->page()->printToPdf(
            [&](const QByteArray& bytes) {
                pdf = bytes;
                done = true;
            },
            landscape);
        QVERIFY(test::WaitUntil([&] { return done; }, 20000));
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::ReadOnly);
        QPdfDocument document;
        document.load(&buffer);
        QCOMPARE(document.status(), QPdfDocument::Status::Ready);
        QCOMPARE(document.pageCount(), 1);
        if (const QString dir = qEnvironmentVariable("ORBISK_MAP_PICTURES"); !dir.isEmpty())
            document.render(0, (document.pagePointSize(0) * 1.5).toSize()).save(dir + "/print.png");
        // The map fills the paper's width, not a screen's worth of it.
        const QImage page = document.render(0, document.pagePointSize(0).toSize());
        int left = page.width(), right = 0;
        for (int y = 0; y < page.height(); y += 4)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY2(right - left > page.width() * 9 / 10,
                 qPrintable(
                     QString("the map spans %1 of %2 points").arg(right - left).arg(page.width())));
        const QString text = document.getAllText(0).text();
        for (const char* shown : {"Latitute/Longitute:", "41.88/-87.63", "Chicago", " km", " mi"})
            QVERIFY2(text.contains(shown), qPrintable(QString(shown) + " not in: " + text));
        for (const char* hidden : {"\u2212", "\u25B2", "\u25C0"}) // zoom out, pan north, pan west
            QVERIFY2(!text.contains(QString::fromUtf8(hidden)), qPrintable(text));
    }

    // The preview is painted from the engine's own PDF, made before the
    // dialog opens, so it shows the printed page and nothing waits in a loop.
    void thePreviewShowsThePrintedPage() {
        int pages = -1;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&pages] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>();
                widget && widget->pageCount() > 0) {
                pages = widget->pageCount();
                preview->reject();
            }
        });
        watch.start(100);
        run_->Window().OnCommand(kIdPrintPreview);
        QVERIFY(test::WaitUntil([&] { return pages >= 0; }, 20000));
        QCOMPARE(pages, 1);
    }

    // The View menu's keys move the real map: the page's view follows.
    void theMapZoomsAndPansFromTheKeyboard() {
        const auto field = [this](const char* name) {
            return run_->PageValue(QString("document.getElementsByName('%1')[0].value").arg(name))
                .toDouble();
        };
        const double zoom = field("BVZoom");
        run_->Window().OnCommand(kIdZoomIn);
        QVERIFY(test::WaitUntil([&] { return field("BVZoom") == zoom + 1; }, 5000));
        const double west = field("BVXMin");
        run_->Window().OnCommand(kIdPanEast);
        QVERIFY(test::WaitUntil([&] { return field("BVXMin") > west; }, 5000));
        const double north = field("BVYMax");
        run_->Window().OnCommand(kIdPanSouth);
        QVERIFY(test::WaitUntil([&] { return field("BVYMax") < north; }, 5000));
        run_->Window().OnCommand(kIdZoomOut);
        QVERIFY(test::WaitUntil([&] { return field("BVZoom") == zoom; }, 5000));
    }

    // Escape in the map closes an open popup first, and only then the window.
    void escapeClosesAPopupBeforeTheWindow() {
        const auto popups = [this] {
            return run_->PageValue("String(document.querySelectorAll('.leaflet-popup').length)");
        };
        // The located place's pin, or a result's entry, opens a popup.
        QCOMPARE(
            run_->PageValue("(function () { const e = document.querySelector('.located-pin') || "
                            "document.querySelector('.result-entry'); if (e) "
                            "e.dispatchEvent(new MouseEvent('click', {bubbles: true})); "
                            "return String(!!e); })()"),
            QString("true"));
        QVERIFY(test::WaitUntil([&] { return popups() == "1"; }, 5000));
        QWidget* renderer = run_->Window().Browser()->focusProxy();
        QVERIFY(renderer);
        QTest::keyClick(renderer, Qt::Key_Escape);
        QVERIFY(test::WaitUntil([&] { return popups() == "0"; }, 5000));
        QTest::qWait(200);
        QVERIFY(run_->Window().isVisible());
    }

    // Notes stack: the page's own note and a failed fetch's never cover each other.
    void notesNeverCoverEachOther() {
        const QString stacked = run_->PageValue(
            "(function () { L.Orbisk.note('Street not found'); "
            "L.Orbisk.note('Part of the map could not be loaded from the map server.'); "
            "const r = [...document.querySelectorAll('.note')].map((e) => "
            "e.getBoundingClientRect()); "
            "const ok = r.length === 2 && r[0].bottom <= r[1].top && r[0].height > 0; "
            "document.querySelector('.notes').remove(); return String(ok); })()");
        QCOMPARE(stacked, QString("true"));
    }
};

int main(int argc, char** argv) {
    test::PrepareWebEngineForTests();
    QApplication app(argc, argv);
    TestMapPicture test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_map_picture.moc"
