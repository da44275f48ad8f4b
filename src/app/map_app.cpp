#include "app/map_app.h"

#include "app/explorer1.h"
#include "app/map_main_dlg.h"

#include <QApplication>
#include <QTimer>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <utility>

namespace orbisk {
namespace {

constexpr const char* kUsage =
    "usage: orbisk [MARKERSET.obk]\n"
    "       orbisk --screenshot FILE.png [MARKERSET.obk]\n"
    "       orbisk --help | --version\n"
    "Opens the marker set file when one is given. With --screenshot, writes a picture\n"
    "of the window once the first map has loaded, and exits.\n";
constexpr int kSettleMs = 3000;

// Milliseconds since the kernel started this process, so that start-up time
// includes loading the libraries; -1 when /proc cannot tell.
long long MillisecondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold blanks and parentheses; fields follow the last ')'.
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field;)
        ++i;
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks))
        return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const long long startMs = static_cast<long long>(startTicks) * 1000 / sysconf(_SC_CLK_TCK);
    return now.tv_sec * 1000LL + now.tv_nsec / 1'000'000 - startMs;
}

// After the first map has loaded and drawn, a picture of the window, then exit.
void TakeScreenshotWhenLoaded(CMapMainDlg& window, const QString& file) {
    QObject::connect(window.Browser(), &CExplorer1::documentComplete, &window, [&window, file] {
        static bool first = true;
        if (std::exchange(first, false))
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

// Chromium refuses to start its sandbox as root; anyone else keeps it.
void PrepareBrowserEngine() {
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace

int CMapApp::Run(int argc, char** argv) {
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
        std::cout << "Orbisk (North America Edition) 1.1.0\n";
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
    QApplication::setApplicationName("Orbisk");
    QApplication::setApplicationVersion("1.1.0");
    QApplication::setDesktopFileName("orbisk");
    int result = 0;
    {
        CMapMainDlg window;
        if (!screenshot.empty())
            TakeScreenshotWhenLoaded(window, QString::fromStdString(screenshot));
        window.show();
        window.Initialize(first);
        result = window.exec();
    }
    return result == QDialog::Rejected ? 0 : result;
}

} // namespace orbisk
