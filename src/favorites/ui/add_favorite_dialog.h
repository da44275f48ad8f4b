// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

namespace orbisk {

// "Add Favorite": the name under which the current search is saved.
class CAddFavoriteDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAddFavoriteDialog(const QString& name, QWidget* parent = nullptr);
    QString Name() const;
    QLineEdit* nameEdit() const { return name_; }

private:
    QLineEdit* name_ = nullptr;
};

} // namespace orbisk
