// SPDX-License-Identifier: GPL-3.0-or-later
// Go to page loaded, per locate mode: the real client, offscreen, against the
// real orbisk-server; then the peak memory of the client, its browser
// processes and the server. Prints one line per mode and one for memory.
// With --upstream-ms N the server asks a stand-in geocoder that answers in
// N ms with no pause between requests, as an organisation's own may, and
// every street Go asks it anew (target: median under 200 ms at 50).
#include "app/command_ids.h"
#include "app/locate_panel.h"
#include "client_harness.h"
#include "osm_stand_in.h"
#include "process_tree.h"
#include "web_engine_test.h"
#include "window_widgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <unistd.h>

using namespace orbisk;

namespace {

constexpr int kRuns = 9;

// Peak resident memory of a process in MiB, from /proc.
double PeakMiB(long pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

struct Mode {
    const char* name;
    int radio;
    std::function<void(LocatePanel&)> fill;
    std::function<void(LocatePanel&, int run)> eachRun = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    orbisk::test::PrepareWebEngineForTests();
    QApplication application(argc, argv);

    const int upstreamMs =
        argc == 3 && std::string(argv[1]) == "--upstream-ms" ? std::stoi(argv[2]) : -1;
    test::OsmStandIn geocoder;
    geocoder.Answer(200, R"([{"lat":"42.3601","lon":"-71.0589"}])",
                    std::chrono::milliseconds(std::max(upstreamMs, 0)));
    test::ClientHarness run;
    const QStringList online =
        upstreamMs < 0
            ? QStringList{}
            : QStringList{"--nominatim", QString::fromStdString(geocoder.NominatimBase()),
                          "--nominatim-interval", "0"};
    if (!run.StartServer(online)) {
        std::cerr << "orbisk-server did not start\n";
        return 1;
    }
    run.WriteProgramDirectory();
    CMapMainDlg& window = run.StartClient();
    if (!run.WaitForRequests(1) || !run.WaitIdle()) {
        std::cerr << "the first map never arrived\n";
        return 1;
    }
    const std::vector<Mode> modes = {
        {"phone", kIdPhoneRadio, [](LocatePanel& p) { p.lineNumber()->setText("1414"); }},
        {"zip", kIdZipRadio, [](LocatePanel& p) { p.zip()->setText("60601"); }},
        {"street", kIdStreetRadio,
         [](LocatePanel& p) {
             p.streetNumber()->setText("100");
             p.street()->setText("Demo St");
             p.city()->setText("Boston");
             p.state()->setText("MA");
         },
         // Online, a new number each time, so no answer comes from the cache.
         [upstreamMs](LocatePanel& p, int i) {
             if (upstreamMs >= 0)
                 p.streetNumber()->setText(QString::number(100 + i));
         }},
        {"latlng", kIdLatLngRadio, [](LocatePanel& p) { p.latitude()->setText("47.6"); }},
    };
    QElapsedTimer clock;
    double sentAt = 0;
    QObject::connect(&window, &CMapMainDlg::requestSent,
                     [&] { sentAt = clock.nsecsElapsed() / 1e6; });
    // Bytes the page load moved over the network, the page's own files and
    // outlines included; 0 for each one the browser already had.
    const QString moved = "(() => { const n = performance.getEntriesByType('navigation')[0];"
                          " return (n ? n.transferSize : 0) + performance.getEntriesByType("
                          "'resource').reduce((s, e) => s + e.transferSize, 0); })()";
    // The page's script run and, from the page's answer, its outlines drawn.
    const QString drawn = "(() => { const at = (n) => { const m = performance.getEntriesByName(n);"
                          " return m.length ? m[m.length - 1] : null; };"
                          " const script = at('orbisk-script'), outlines = at('orbisk-outlines');"
                          " const nav = performance.getEntriesByType('navigation')[0];"
                          " return [script ? script.duration : -1, outlines && nav ?"
                          " outlines.startTime - nav.responseEnd : -1].join(' '); })()";
    std::printf("first page: %.0f KB moved; script ms, answer to outlines drawn ms: %s\n",
                run.PageValue(moved).toDouble() / 1000, qPrintable(run.PageValue(drawn)));
    std::printf("%-8s %5s %12s %14s %8s %8s %14s %10s %8s\n", "mode", "runs", "request ms",
                "page loaded ms", "min", "max", "KB median/max", "script ms", "draw ms");
    for (const Mode& mode : modes) {
        window.OnCommand(mode.radio);
        mode.fill(*test::LocatePanelOf(window));
        std::vector<double> times, requests, kilobytes, scripts, draws;
        for (int i = 0; i < kRuns; ++i) {
            if (mode.eachRun)
                mode.eachRun(*test::LocatePanelOf(window), i);
            clock.start();
            window.OnCommand(kIdGo);
            if (!run.WaitIdle()) {
                std::cerr << mode.name << ": the page never loaded\n";
                return 1;
            }
            times.push_back(clock.nsecsElapsed() / 1e6);
            requests.push_back(sentAt);
            QTest::qWait(300); // the outlines are fetched after the load event
            kilobytes.push_back(run.PageValue(moved).toDouble() / 1000);
            const QStringList page = run.PageValue(drawn).split(' ');
            scripts.push_back(page.value(0).toDouble());
            draws.push_back(page.value(1).toDouble());
        }
        std::sort(times.begin(), times.end());
        std::sort(requests.begin(), requests.end());
        std::sort(kilobytes.begin(), kilobytes.end());
        std::sort(scripts.begin(), scripts.end());
        std::sort(draws.begin(), draws.end());
        std::printf("%-8s %5d %12.1f %14.1f %8.1f %8.1f %7.1f/%-6.1f %10.1f %8.1f\n", mode.name,
                    kRuns, requests[kRuns / 2], times[kRuns / 2], times.front(), times.back(),
                    kilobytes[kRuns / 2], kilobytes.back(), scripts[kRuns / 2], draws[kRuns / 2]);
    }
    double helpers = 0;
    for (long pid : test::Descendants(getpid()))
        if (pid != run.Server().Pid())
            helpers += PeakMiB(pid);
    std::printf("peak memory: client %.0f MiB + browser processes %.0f MiB; orbisk-server %.0f "
                "MiB\n",
                PeakMiB(getpid()), helpers, PeakMiB(run.Server().Pid()));
    if (upstreamMs >= 0)
        std::printf("stand-in geocoder answering in %d ms: asked %zu times\n", upstreamMs,
                    geocoder.Requests().size());
    return 0;
}
