// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Placing a control at its layout rectangle, and the icons of the resources.

#include "app/core/main_layout.h"

#include <QWidget>

namespace orbisk {

inline void Place(QWidget* widget, const Rect& rect) {
    widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
}

inline QIcon Icon(int id) {
    return QIcon(QString(":/icons/%1.svg").arg(id));
}

// What a screen reader says of a control: its name, and what it does where
// the name alone does not tell. The tooltip says the same to the mouse.
inline void Describe(QWidget* widget, const QString& name, const QString& description = {}) {
    widget->setAccessibleName(name);
    if (!description.isEmpty()) {
        widget->setAccessibleDescription(description);
        widget->setToolTip(description);
    }
}

} // namespace orbisk
