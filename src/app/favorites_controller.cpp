// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/favorites_controller.h"

#include "app/core/job_state.h"
#include "app/job_starter.h"
#include "app/main_menus.h"
#include "app/user_prompts.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"

namespace orbisk {

FavoritesController::FavoritesController(JobState& state, UserPrompts& prompts, MainMenus& menus,
                                         JobStarter& jobs)
    : state_(state), prompts_(prompts), menus_(menus), jobs_(jobs),
      store_(list_, RegistryKey::DefaultStoreFile()) {}

void FavoritesController::Load() {
    store_.Load();
    menus_.ShowFavorites(list_);
}

// The caption and parameters are those of the last finished job; the job in
// flight works on its own copy, so adding never touches what it reads.
void FavoritesController::Add() {
    QString name = QString::fromStdString(state_.LastCaption());
    if (!prompts_.NameFavorite(name))
        return;
    state_.RenameLastPlace(name.toStdString());
    if (list_.Add({state_.LastCaption(), state_.LastParams()}) < 0)
        prompts_.Tell(tr("Maximum favorites count exceeded."), tr("Error"), QMessageBox::NoIcon);
    else
        menus_.ShowFavorites(list_);
    Save();
}

void FavoritesController::Organize() {
    prompts_.OrganizeFavorites(list_);
    menus_.ShowFavorites(list_);
    Save();
}

// The store may bring another running copy's changes: the menu shows them.
void FavoritesController::Save() {
    const bool saved = store_.Save();
    menus_.ShowFavorites(list_);
    if (!saved)
        prompts_.Tell(QString::fromStdString(
                          SaveFailedMessage(SavedPart::Favorites, RegistryKey::DefaultStoreFile())),
                      tr("Error"), QMessageBox::Critical);
}

void FavoritesController::Replay(int position) {
    Favorite favorite;
    if (!list_.GetAt(position, favorite))
        return;
    jobs_.StartJob(kActionFavorite, kReplay,
                   [&] { state_.ReplayFavorite(favorite.title, favorite.parameters); });
}

} // namespace orbisk
