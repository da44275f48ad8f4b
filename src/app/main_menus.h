// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace orbisk {

class FavoritesList;

// The menu bar: File, View, Options, Favorites and Help, their keys, and one
// item per favorite. Every item is a command.
class MainMenus : public QObject {
    Q_OBJECT
public:
    explicit MainMenus(QWidget* window);

    QMenuBar* Bar() const { return bar_; }
    QMenu* FavoritesMenu() const { return favorites_; }
    QAction* Action(int id) const;
    void SetChecked(int id, bool checked);
    // The fixed items stay; one item per favorite follows the separator.
    void ShowFavorites(const FavoritesList& list);

signals:
    void command(int id);

private:
    QAction* Add(QMenu* menu, const QString& text, int id);

    QMenuBar* bar_;
    QMenu* favorites_ = nullptr;
};

} // namespace orbisk
