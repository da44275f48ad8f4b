// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "favorites/favorites_list.h"
#include "favorites/favorites_store.h"

#include <QCoreApplication>

namespace orbisk {

class JobStarter;
class JobState;
class MainMenus;
class UserPrompts;

// Favorites: adding the last located place, organizing, replaying; the
// menu mirrors the list and every change is stored.
class FavoritesController {
    Q_DECLARE_TR_FUNCTIONS(FavoritesController)

public:
    FavoritesController(JobState& state, UserPrompts& prompts, MainMenus& menus, JobStarter& jobs);

    FavoritesList& List() { return list_; }
    void Load();
    void Add();
    void Organize();
    void Replay(int position);

private:
    // Saves the favorites and tells the user when that fails.
    void Save();

    JobState& state_;
    UserPrompts& prompts_;
    MainMenus& menus_;
    JobStarter& jobs_;
    FavoritesList list_;
    FavoritesStore store_;
};

} // namespace orbisk
