#pragma once

#include "app/map_app.h"

#include <QCoreApplication>
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

} // namespace orbisk::test
