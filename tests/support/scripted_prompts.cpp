// SPDX-License-Identifier: GPL-3.0-or-later
#include "scripted_prompts.h"

#include <QDialog>

namespace orbisk::test {

QMessageBox::StandardButton ScriptedPrompts::Message(const QString& text, const QString&,
                                                     QMessageBox::Icon,
                                                     QMessageBox::StandardButtons) {
    messages << text;
    return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
}

QString ScriptedPrompts::ChooseFile(bool, const QString&) {
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedPrompts::ChooseExchangeFile(bool save, const QString& initialPath) {
    return ChooseFile(save, initialPath);
}

bool ScriptedPrompts::ChooseImport(ImportChoice& choice) {
    return chooseImport ? chooseImport(choice) : true;
}

bool ScriptedPrompts::EditMarker(MarkerDetails& details) {
    markers.push_back(details);
    return editMarker ? editMarker(details) : true;
}

void ScriptedPrompts::ShowUpdate(const QString& name, const QString& downloadAddress) {
    updates << name << downloadAddress;
}

bool ScriptedPrompts::NameFavorite(QString& name) {
    return nameFavorite && nameFavorite(name);
}

void ScriptedPrompts::OrganizeFavorites(FavoritesList& list) {
    if (organizeFavorites)
        organizeFavorites(list);
}

bool ScriptedPrompts::EditSettings(SettingsStore& settings) {
    return editSettings && editSettings(settings);
}

int ScriptedPrompts::EditMarkerSet(CDialogEditMarkerSet& dialog) {
    return editMarkerSet ? editMarkerSet(dialog) : QDialog::Rejected;
}

} // namespace orbisk::test
