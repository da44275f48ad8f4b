// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace orbisk {

// "Rename": a new title for one favorite. Closed any other way than with
// "Rename", it gives back the name it was given.
class CDialogRenameFavorite : public QDialog {
    Q_OBJECT
public:
    explicit CDialogRenameFavorite(const QString& name, QWidget* parent = nullptr);
    QString Name() const;
    QLineEdit* nameEdit() const { return edit_; }

private:
    QString original_;
    QLineEdit* edit_ = nullptr;
};

} // namespace orbisk
