// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/ui/dialog_rename_favorite.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>

namespace orbisk {

CDialogRenameFavorite::CDialogRenameFavorite(const QString& name, QWidget* parent)
    : QDialog(parent), original_(name) {
    setWindowTitle(tr("Rename"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    edit_ = new QLineEdit(name, this);
    auto* rename = new QPushButton(tr("Rename"), this);
    rename->setDefault(true);
    connect(rename, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(rename);
}

QString CDialogRenameFavorite::Name() const {
    return result() == Accepted ? edit_->text() : original_;
}

} // namespace orbisk
