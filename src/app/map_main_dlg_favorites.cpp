// The main window's favorites: the menu, adding, organizing and replaying.
#include "app/command_ids.h"
#include "app/map_main_dlg.h"
#include "protocol/map_request_builder.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"

#include <QAction>
#include <QMenu>

namespace orbisk {

// The fixed items stay; one item per favorite follows the separator.
void CMapMainDlg::RebuildFavoritesMenu() {
    for (QAction* action : favoritesMenu_->actions()) {
        const int id = action->data().toInt();
        if (id >= kIdFirstFavorite && id <= kIdLastFavorite) {
            favoritesMenu_->removeAction(action);
            delete action;
        }
    }
    for (int position = 0; position < favoritesList_.Count(); ++position) {
        QAction* action = favoritesMenu_->addAction(
            QString::fromStdString(favoritesList_.Items()[position].title));
        action->setData(kIdFirstFavorite + position);
        connect(action, &QAction::triggered, this,
                [this, position] { OnCommand(kIdFirstFavorite + position); });
    }
}

// The caption and parameters are those of the last finished job; the job in
// flight works on its own copy, so adding never touches what it reads.
void CMapMainDlg::AddFavorite() {
    QString name = QString::fromStdString(lastCaption_);
    if (!favoriteName(name))
        return;
    lastCaption_ = name.toStdString();
    if (favoritesList_.Add({lastCaption_, lastParams_}) < 0)
        messageBox("Maximum favorites count exceeded.", "Error", QMessageBox::NoIcon,
                   QMessageBox::Ok);
    else
        RebuildFavoritesMenu();
    SaveFavorites();
}

void CMapMainDlg::OrganizeFavorites() {
    organizeFavorites(favoritesList_);
    RebuildFavoritesMenu();
    SaveFavorites();
}

void CMapMainDlg::SaveFavorites() {
    if (!favoritesStore_.Save())
        ShowMessage(
            QString::fromStdString(SaveFailedMessage("favorites", RegistryKey::DefaultStoreFile())),
            "Error", QMessageBox::Critical);
}

void CMapMainDlg::ReplayFavorite(int position) {
    Favorite favorite;
    if (busy_ || !favoritesList_.GetAt(position, favorite))
        return;
    lastCaption_ = favorite.title;
    lastParams_ = favorite.parameters;
    actionCode_ = 1;
    StartJob(kReplay);
}

} // namespace orbisk
