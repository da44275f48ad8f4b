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

} // namespace orbisk
