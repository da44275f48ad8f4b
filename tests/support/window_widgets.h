// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/locate_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orbisk::test {

// The main window's controls as a user's tools find them: by object name.
template <typename Widget> Widget* Named(const QObject& window, const char* name) {
    Widget* found = window.findChild<Widget*>(name);
    if (!found)
        qFatal("the window has no %s", name);
    return found;
}

inline QLineEdit* KeywordField(const QObject& window) {
    return Named<QLineEdit>(window, "keyword");
}
inline QLabel* StatusText(const QObject& window) {
    return Named<QLabel>(window, "searchStatus");
}
inline QPushButton* GoButton(const QObject& window) {
    return Named<QPushButton>(window, "go");
}
inline LocatePanel* LocatePanelOf(const QObject& window) {
    return Named<LocatePanel>(window, "locatePanel");
}

} // namespace orbisk::test
