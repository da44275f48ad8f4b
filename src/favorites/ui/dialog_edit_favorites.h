// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

class QListWidget;

namespace orbisk {

class FavoritesList;

// "Edit Favorites": delete and rename favorites. Changes go straight into
// the list; the caller saves it and rebuilds the menu.
class CDialogEditFavorites : public QDialog {
    Q_OBJECT
public:
    explicit CDialogEditFavorites(FavoritesList& list, QWidget* parent = nullptr);

    void Delete();
    void Rename();

    // The rename step, replaceable so that tests can answer it.
    std::function<QString(const QString& name)> askNewName;
    // Whether the user confirms deleting the favorite of that name; replaceable too.
    std::function<bool(const QString& name)> confirmDelete;
    QListWidget* list() const { return view_; }

private:
    void Select(int row);

    FavoritesList& favorites_;
    QListWidget* view_ = nullptr;
};

} // namespace orbisk
