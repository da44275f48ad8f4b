// SPDX-License-Identifier: GPL-3.0-or-later
#include "favorites/ui/dialog_edit_favorites.h"

#include "favorites/favorites_list.h"
#include "favorites/ui/dialog_rename_favorite.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace orbisk {

CDialogEditFavorites::CDialogEditFavorites(FavoritesList& list, QWidget* parent)
    : QDialog(parent), favorites_(list) {
    setWindowTitle(tr("Edit Favorites"));
    setWindowIcon(QIcon(":/icons/128.svg"));
    askNewName = [this](const QString& name) {
        CDialogRenameFavorite dialog(name, this);
        dialog.exec();
        return dialog.Name();
    };
    confirmDelete = [this](const QString& name) {
        return QMessageBox::question(this, tr("Delete Favorite"),
                                     tr("Delete the favorite \"%1\"?").arg(name)) ==
               QMessageBox::Yes;
    };
    view_ = new QListWidget(this);
    for (const Favorite& favorite : favorites_.Items())
        view_->addItem(QString::fromStdString(favorite.title));
    auto* remove = new QPushButton(tr("&Delete"), this);
    auto* rename = new QPushButton(tr("&Rename"), this);
    auto* close = new QPushButton(tr("&Close"), this);
    connect(remove, &QPushButton::clicked, this, &CDialogEditFavorites::Delete);
    connect(rename, &QPushButton::clicked, this, &CDialogEditFavorites::Rename);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(rename);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* body = new QHBoxLayout;
    body->addWidget(view_);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Select one of following favorite item to edit:"), this));
    layout->addLayout(body);
    Select(0);
}

void CDialogEditFavorites::Select(int row) {
    if (row < 0 || row >= view_->count())
        return;
    view_->setCurrentRow(row);
    view_->setFocus();
}

void CDialogEditFavorites::Delete() {
    const int row = view_->currentRow();
    if (row < 0 || !confirmDelete(view_->item(row)->text()) || !favorites_.RemoveAt(row))
        return;
    delete view_->takeItem(row);
    Select(row);
}

void CDialogEditFavorites::Rename() {
    const int row = view_->currentRow();
    if (row < 0)
        return;
    const QString name = askNewName(view_->item(row)->text());
    view_->item(row)->setText(name);
    favorites_.Rename(row, name.toStdString());
    Select(row);
}

} // namespace orbisk
