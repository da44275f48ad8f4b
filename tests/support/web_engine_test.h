// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/explorer1.h"
#include "app/map_app.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

namespace orbisk::test {

// Before the QApplication of a program that opens web views: Chromium refuses
// its sandbox as root, and tests run offscreen unless told otherwise. The
// browser's disk cache goes to a folder of the test's own.
inline void PrepareWebEngineForTests() {
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareBrowserEngine();
}

// The page's view, read the way a job reads it, waiting for the answer.
inline MapViewState ReadViewNow(CExplorer1& browser) {
    MapViewState view;
    bool done = false;
    QObject context; // nothing is written here once this is gone
    browser.ReadMapView(view, &context, [&done] { done = true; });
    const QDeadlineTimer deadline(5000);
    while (!done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return view;
}

} // namespace orbisk::test
