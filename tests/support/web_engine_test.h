#pragma once

#include <QCoreApplication>
#include <unistd.h>

namespace orbisk::test {

// Before the QApplication of a program that opens web views: Chromium refuses
// its sandbox as root, and tests run offscreen unless told otherwise.
inline void PrepareWebEngineForTests() {
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace orbisk::test
