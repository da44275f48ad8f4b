// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace orbisk {

// "Update": names the newer program and opens its download page in the
// user's browser with "Check".
class CDialogUpdateProgress : public QDialog {
    Q_OBJECT
public:
    CDialogUpdateProgress(const QString& name, const QString& downloadAddress,
                          QWidget* parent = nullptr);

    // Opens the download address (through the desktop) and closes confirmed.
    void Check();

private:
    QString downloadAddress_;
};

} // namespace orbisk
