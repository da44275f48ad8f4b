#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>
#include <unistd.h>

namespace orbisk::test {

// Before the QApplication of a program that opens web views: Chromium refuses
// its sandbox as root, and tests run offscreen unless told otherwise. The
// browser's disk cache goes to a folder of the test's own.
inline void PrepareWebEngineForTests() {
    static QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace orbisk::test
