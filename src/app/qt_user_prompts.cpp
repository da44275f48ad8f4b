// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qt_user_prompts.h"

#include "favorites/ui/add_favorite_dialog.h"
#include "favorites/ui/dialog_edit_favorites.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "markers/ui/dialog_edit_marker_set.h"
#include "markers/ui/import_options_dialog.h"
#include "settings/ui/property_sheet_settings.h"
#include "update/ui/dialog_update_progress.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace orbisk {

QMessageBox::StandardButton QtUserPrompts::Message(const QString& text, const QString& caption,
                                                   QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, caption, text, buttons, parent_);
    // Messages quote file names and file contents: never read them as markup.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString QtUserPrompts::ChooseFile(bool save, const QString& initialPath) {
    QFileDialog dialog(parent_, save ? tr("Save Marker Set") : tr("Load Marker Set"), initialPath,
                       tr("Marker Set Files (*.obk)") + ";;" + tr("XML files (*.xml)") + ";;" +
                           tr("All Files (*)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("obk");
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtUserPrompts::ChooseExchangeFile(bool save, const QString& initialPath) {
    QStringList filters{tr("GPX files (*.gpx)"), tr("KML files (*.kml)"), tr("KMZ files (*.kmz)"),
                        tr("GeoJSON files (*.geojson *.json)")};
    if (!save)
        filters.prepend(tr("Marker files (*.gpx *.kml *.kmz *.geojson *.json)"));
    QFileDialog dialog(parent_, save ? tr("Export Markers") : tr("Import Markers"), initialPath,
                       filters.join(";;") + ";;" + tr("All Files (*)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("gpx");
    // A name typed without an extension takes the chosen format's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         const qsizetype star = filter.indexOf("*.");
                         if (star >= 0)
                             dialog.setDefaultSuffix(
                                 filter.mid(star + 2).section(QRegularExpression("[ )]"), 0, 0));
                     });
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool QtUserPrompts::ChooseImport(ImportChoice& choice) {
    ImportOptionsDialog dialog(choice, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

bool QtUserPrompts::EditMarker(MarkerDetails& details) {
    CDialogAddNewMarker dialog(details, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    details = dialog.Details();
    return true;
}

void QtUserPrompts::ShowUpdate(const QString& name, const QString& downloadAddress) {
    CDialogUpdateProgress(name, downloadAddress, parent_).exec();
}

bool QtUserPrompts::NameFavorite(QString& name) {
    CAddFavoriteDialog dialog(name, parent_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    name = dialog.Name();
    return true;
}

void QtUserPrompts::OrganizeFavorites(FavoritesList& list) {
    CDialogEditFavorites(list, parent_).exec();
}

bool QtUserPrompts::EditSettings(SettingsStore& settings) {
    return EditWithSheet(settings, parent_);
}

int QtUserPrompts::EditMarkerSet(CDialogEditMarkerSet& dialog) {
    return dialog.exec();
}

} // namespace orbisk
