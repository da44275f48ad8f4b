// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace orbisk {

// "About Orbisk": the program icon, name and version, and the notice.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace orbisk
