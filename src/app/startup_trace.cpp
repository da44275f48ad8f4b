// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup_trace.h"

#include "app/explorer1.h"
#include "app/map_main_dlg.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>
#include <atomic>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace orbisk {
namespace {
std::atomic<bool> tracing{false};
} // namespace

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

StartupTrace::StartupTrace(CMapMainDlg& window) : QObject(&window), window_(window) {
    tracing = true;
    Mark("window created");
    qApp->installEventFilter(this);
    connect(&window, &CMapMainDlg::requestSent, this, [] { Mark("page requested"); });
    connect(window.Browser(), &CExplorer1::documentComplete, this, [] { Mark("map loaded"); });
}

StartupTrace::~StartupTrace() {
    tracing = false;
    qApp->removeEventFilter(this);
}

void StartupTrace::Mark(const char* event) {
    if (!tracing)
        return;
    // One write per line: the job's thread traces too.
    const std::string line =
        "orbisk: trace " + std::to_string(MillisecondsSinceProcessStart()) + " " + event + "\n";
    std::cerr.write(line.data(), static_cast<std::streamsize>(line.size()));
    std::cerr.flush();
}

bool StartupTrace::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && !mapped_ && watched == window_.windowHandle() &&
        window_.windowHandle()->isExposed()) {
        mapped_ = true;
        Mark("window mapped");
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != &window_ && !window_.isAncestorOf(widget)))
        return false;
    if (event->type() == QEvent::Paint)
        Mark(widget == window_.Browser() || window_.Browser()->isAncestorOf(widget) ? "paint map"
                                                                                    : "paint");
    return false;
}

} // namespace orbisk
