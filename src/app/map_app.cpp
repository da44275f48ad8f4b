// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/map_app.h"

#include "app/core/window_placement.h"
#include "app/explorer1.h"
#include "app/map_main_dlg.h"
#include "app/startup_trace.h"
#include "app/translations.h"
#include "common/version.h"
#include "settings/language_choice.h"
#include "settings/registry_key.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>

namespace orbisk {
namespace {

constexpr const char* kUsage =
    "usage: orbisk [--trace] [MARKERSET.obk]\n"
    "       orbisk [--trace] --screenshot FILE.png [MARKERSET.obk]\n"
    "       orbisk --help | --version\n"
    "Opens the marker set file when one is given. With --screenshot, writes a picture\n"
    "of the window once the first map has loaded, and exits; the exit status is 1 when\n"
    "no map loaded or a dialog would have waited for an answer. With --trace, prints the\n"
    "time of each start-up step and each repaint on standard error.\n";
constexpr int kSettleMs = 3000;

// After the first map has loaded and drawn, a picture of the window, then
// exit. The local error page is no map: nothing is written and the exit
// status says so.
void TakeScreenshotWhenLoaded(CMapMainDlg& window, const QString& file,
                              std::shared_ptr<bool> stopped) {
    QObject::connect(
        window.Browser(), &CExplorer1::documentComplete, &window, [&window, file, stopped] {
            static bool first = true;
            if (!std::exchange(first, false))
                return;
            if (*stopped) {
                window.done(1);
                return;
            }
            if (window.Browser()->url().isLocalFile()) {
                std::cerr << "orbisk: the map server cannot be reached; no screenshot written\n";
                window.done(1);
                return;
            }
            std::cerr << "orbisk: first map loaded " << MillisecondsSinceProcessStart()
                      << " ms after start\n";
            QTimer::singleShot(kSettleMs, &window, [&window, file] {
                const bool saved = window.grab().save(file);
                std::cerr << (saved ? "orbisk: screenshot written to " : "orbisk: cannot write ")
                          << file.toStdString() << "\n";
                window.done(saved ? 0 : 1);
            });
        });
}

// With nobody at the screen, a dialog would wait for ever: its words go to
// standard error, and the program exits with status 1 (a dialog before the
// window's own loop runs is told through `stopped`).
void FailOnDialog(CMapMainDlg& window, std::shared_ptr<bool> stopped) {
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, &window, [&window, stopped] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == &window)
            return;
        const auto* box = qobject_cast<QMessageBox*>(modal);
        const QString words = box ? box->text() : modal->windowTitle();
        std::cerr << "orbisk: stopped at a dialog: " << words.toStdString() << "\n";
        *stopped = true;
        window.done(1);
        modal->close();
    });
    watch->start(100);
}

// The window opens where the user left it, made whole on today's screens, or
// at a size that suits the screen the first time.
void PlaceWindow(QWidget& window) {
    const auto stored = LoadWindowPlacement(RegistryKey::DefaultStoreFile());
    QScreen* screen = QGuiApplication::primaryScreen();
    if (stored) {
        if (QScreen* left = QGuiApplication::screenAt(
                QPoint(stored->x + stored->width / 2, stored->y + stored->height / 2)))
            screen = left;
    }
    const QRect area = screen->availableGeometry();
    const Rect available{area.x(), area.y(), area.width(), area.height()};
    // On a small or strongly scaled screen the window's own minimum would
    // put the menus and Go off the screen: the screen sets the bound then.
    const QSize minimum = window.minimumSize().boundedTo(area.size());
    window.setMinimumSize(minimum);
    const Rect placement =
        stored ? FitWindowPlacement(*stored, available, minimum.width(), minimum.height())
               : FirstWindowPlacement(available, minimum.width(), minimum.height());
    window.resize(placement.width, placement.height);
    window.move(placement.x, placement.y);
}

void KeepWindowPlacement(const QWidget& window) {
    if (window.isMaximized() || window.isFullScreen())
        return;
    SaveWindowPlacement(RegistryKey::DefaultStoreFile(),
                        {window.x(), window.y(), window.width(), window.height()});
}

// glibc raises its mmap threshold to the size of each large block freed, up to
// 32 MB; from then on the renderer's per-page buffers come from the heap, which
// can only shrink from its top, and it grew by 12 MB over 50 Go commands. A
// fixed threshold keeps such blocks mapped and returns them when freed. The
// engine's processes read it from the environment they inherit.
void KeepLargeBlocksOutOfTheHeap() {
    constexpr const char* kThreshold = "glibc.malloc.mmap_threshold=131072";
    const QByteArray user = qgetenv("GLIBC_TUNABLES");
    if (user.contains("glibc.malloc.mmap_threshold"))
        return;
    qputenv("GLIBC_TUNABLES", user.isEmpty() ? QByteArray(kThreshold) : user + ":" + kThreshold);
}

} // namespace

// Chromium refuses to start its sandbox as root; anyone else keeps it. The
// map is a 2D canvas: drawn and composed in software, with no GL context in
// the client, the first map is stable sooner and the process tree smaller
// (docs/performance.md); on X, not even Mesa and its LLVM are loaded. Pages left behind are not
// kept alive for Back, which the map never offers, and a bounded script heap makes the renderer
// collect each old page's garbage instead of growing by 12 MB a Go. Chromium's
// low-end device mode keeps its caches small: the renderer grows by 20 MB over
// 50 Go commands instead of 46. The page's few scripts run as fast without the
// optimising compiler (lite mode), and the network runs in this process, so the
// second zygote, kept for unsandboxed helpers, would only hold a relocated copy
// of the engine. A user's own flags still come after ours.
// Without a session bus, libdbus starts one of its own for the display
// (dbus-launch --autolaunch) that outlives the program. With none to find,
// the program goes without: nothing it does needs a bus started for it.
void KeepFromStartingASessionBus() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo::exists(QString::fromLocal8Bit(runtime) + "/bus"))
        return; // the user's bus, where systemd keeps it
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

void PrepareBrowserEngine() {
    KeepFromStartingASessionBus();
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND"))
        qputenv("QT_QUICK_BACKEND", "software");
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    const QByteArray own = "--disable-gpu --disable-features=BackForwardCache "
                           "--enable-low-end-device-mode --no-unsandboxed-zygote "
                           "\"--js-flags=--max-old-space-size=128 --lite-mode\"";
    const QByteArray user = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", user.isEmpty() ? own : own + " " + user);
    KeepLargeBlocksOutOfTheHeap();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

int CMapApp::Run(int argc, char** argv) {
    const bool trace = argc > 1 && std::string(argv[1]) == "--trace";
    if (trace) {
        argv[1] = argv[0];
        ++argv;
        --argc;
    }
    std::string first = argc > 1 ? argv[1] : "";
    std::string screenshot;
    if (first == "--screenshot" && argc > 2) {
        screenshot = argv[2];
        first = argc > 3 ? argv[3] : "";
    }
    const int files = argc - 1 - (screenshot.empty() ? 0 : 2);
    if (first == "--help" || first == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (first == "--version") {
        std::cout << "Orbisk (North America Edition) " << kVersionText << "\n";
        return 0;
    }
    if (files > 1) {
        std::cerr << kUsage;
        return 2;
    }
    PrepareBrowserEngine();
    // The toolkit sees only the program name; the words above are ours.
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    // The name is the folder of the application's data, the same as
    // Orbisk's own (~/.local/share/orbisk).
    QApplication::setApplicationName("orbisk");
    QApplication::setApplicationVersion(kVersionText);
    QApplication::setDesktopFileName("orbisk");
    InstallUserLanguage(LoadLanguageChoice(RegistryKey::DefaultStoreFile()));
    int result = 0;
    {
        CMapMainDlg window;
        if (trace)
            new StartupTrace(window);
        if (!screenshot.empty()) {
            const auto stopped = std::make_shared<bool>(false);
            TakeScreenshotWhenLoaded(window, QString::fromStdString(screenshot), stopped);
            FailOnDialog(window, stopped);
        }
        PlaceWindow(window);
        window.show();
        window.Initialize(first);
        result = window.exec();
        KeepWindowPlacement(window);
    }
    return result == QDialog::Rejected ? 0 : result;
}

} // namespace orbisk
