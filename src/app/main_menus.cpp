// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_menus.h"

#include "app/command_ids.h"
#include "favorites/favorites_list.h"

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>

namespace orbisk {

MainMenus::MainMenus(QWidget* window) : QObject(window), bar_(new QMenuBar(window)) {
    QMenu* file = bar_->addMenu(tr("&File"));
    Add(file, tr("&Load Marker Set"), kIdLoadMarkerSet);
    Add(file, tr("S&ave Marker Set"), kIdSaveMarkerSet);
    Add(file, tr("S&end Marker Set"), kIdSendMarkerSet);
    file->addSeparator();
    Add(file, tr("&Import Markers..."), kIdImportMarkers);
    Add(file, tr("E&xport Markers..."), kIdExportMarkers);
    file->addSeparator();
    Add(file, tr("Page &Setup"), kIdPageSetup);
    Add(file, tr("P&rint Preview"), kIdPrintPreview);
    Add(file, tr("&Print"), kIdPrint);
    file->addSeparator();
    Add(file, tr("&Close"), kIdClose);
    QMenu* view = bar_->addMenu(tr("&View"));
    for (QAction* toggle : {Add(view, tr("&Locate Panel"), kIdLocatePanel),
                            Add(view, tr("&Bottom Panel"), kIdBottomPanel)}) {
        toggle->setCheckable(true);
        toggle->setChecked(true);
    }
    view->addSeparator();
    Add(view, tr("Zoom &In"), kIdZoomIn);
    Add(view, tr("Zoom &Out"), kIdZoomOut);
    Add(view, tr("Pan &North"), kIdPanNorth);
    Add(view, tr("Pan &South"), kIdPanSouth);
    Add(view, tr("Pan &West"), kIdPanWest);
    Add(view, tr("Pan &East"), kIdPanEast);
    Add(view, tr("Add &Marker at Centre"), kIdAddMarkerAtCentre);
    Add(bar_->addMenu(tr("&Options")), tr("S&ettings"), kIdSettings);
    favorites_ = bar_->addMenu(tr("Favor&ites"));
    Add(favorites_, tr("&Add to Favorites..."), kIdAddFavorite);
    Add(favorites_, tr("&Organize Favorites..."), kIdOrganizeFavorites);
    favorites_->addSeparator();
    QMenu* help = bar_->addMenu(tr("&Help"));
    Add(help, tr("A&bout"), kIdAbout);
    Add(help, tr("&Update"), kIdUpdate);
    // The keys a desktop user tries first; the menus show them.
    const std::pair<int, QKeySequence> keys[] = {
        {kIdLoadMarkerSet, QKeySequence("Ctrl+O")}, {kIdSaveMarkerSet, QKeySequence("Ctrl+S")},
        {kIdPrint, QKeySequence("Ctrl+P")},         {kIdPrintPreview, QKeySequence("Ctrl+Shift+P")},
        {kIdClose, QKeySequence("Ctrl+Q")},         {kIdAbout, QKeySequence("F1")},
        {kIdAddFavorite, QKeySequence("Ctrl+D")},   {kIdImportMarkers, QKeySequence("Ctrl+I")},
        {kIdExportMarkers, QKeySequence("Ctrl+E")}, {kIdZoomIn, QKeySequence("Ctrl++")},
        {kIdZoomOut, QKeySequence("Ctrl+-")},       {kIdPanNorth, QKeySequence("Alt+Up")},
        {kIdPanSouth, QKeySequence("Alt+Down")},    {kIdPanWest, QKeySequence("Alt+Left")},
        {kIdPanEast, QKeySequence("Alt+Right")},    {kIdAddMarkerAtCentre, QKeySequence("Ctrl+M")}};
    for (const auto& [id, key] : keys)
        Action(id)->setShortcut(key);
}

QAction* MainMenus::Add(QMenu* menu, const QString& text, int id) {
    QAction* action = menu->addAction(text);
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { emit command(id); });
    return action;
}

QAction* MainMenus::Action(int id) const {
    for (QAction* action : bar_->findChildren<QAction*>())
        if (action->data().toInt() == id)
            return action;
    return nullptr;
}

void MainMenus::SetChecked(int id, bool checked) {
    Action(id)->setChecked(checked);
}

void MainMenus::ShowFavorites(const FavoritesList& list) {
    for (QAction* action : favorites_->actions()) {
        const int id = action->data().toInt();
        if (id >= kIdFirstFavorite && id <= kIdLastFavorite) {
            favorites_->removeAction(action);
            delete action;
        }
    }
    // A favorite's name is the user's text: an "&" in it is a character, not a shortcut.
    for (int position = 0; position < list.Count(); ++position)
        Add(favorites_, QString::fromStdString(list.Items()[position].title).replace('&', "&&"),
            kIdFirstFavorite + position);
}

} // namespace orbisk
