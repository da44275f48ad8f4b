// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

namespace orbisk {

class CDialogEditMarkerSet;
class FavoritesList;
class SettingsStore;
struct ImportChoice;
struct MarkerDetails;

// Every question the main window and its flows put to the user. The program
// answers with dialogs (QtUserPrompts); tests answer from a script.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    virtual QMessageBox::StandardButton
    Message(const QString& text, const QString& caption, QMessageBox::Icon icon,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok) = 0;
    // The marker set file to save or load; empty when the user cancelled.
    virtual QString ChooseFile(bool save, const QString& initialPath) = 0;
    // A GPX, KML, KMZ or GeoJSON file to import or export to; empty when
    // the user cancelled. An export's name ends as its chosen format's does.
    virtual QString ChooseExchangeFile(bool save, const QString& initialPath) = 0;
    // False when the user cancelled the import; `choice` holds the answer otherwise.
    virtual bool ChooseImport(ImportChoice& choice) = 0;
    // False when the user cancelled; `details` holds the answer otherwise.
    virtual bool EditMarker(MarkerDetails& details) = 0;
    virtual void ShowUpdate(const QString& name, const QString& downloadAddress) = 0;
    virtual bool NameFavorite(QString& name) = 0;
    virtual void OrganizeFavorites(FavoritesList& list) = 0;
    // True when the user confirmed changed settings.
    virtual bool EditSettings(SettingsStore& settings) = 0;
    // Runs the "Current Marker Set" dialog; its QDialog result.
    virtual int EditMarkerSet(CDialogEditMarkerSet& dialog) = 0;

    // A message with only an OK button.
    void Tell(const QString& text, const QString& caption, QMessageBox::Icon icon) {
        Message(text, caption, icon, QMessageBox::Ok);
    }
};

} // namespace orbisk
