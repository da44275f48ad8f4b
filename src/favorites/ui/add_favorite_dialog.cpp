// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/ui/add_favorite_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orbisk {

CAddFavoriteDialog::CAddFavoriteDialog(const QString& name, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Add Favorite"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    name_ = new QLineEdit(name, this);
    auto* form = new QFormLayout;
    form->addRow(tr("Name:"), name_);
    auto* add = new QPushButton(tr("Add"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    add->setDefault(true);
    connect(add, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Orbisk will add following search to your Favorites list:"), this));
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString CAddFavoriteDialog::Name() const {
    return name_->text();
}

} // namespace orbisk
