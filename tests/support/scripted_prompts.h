// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/user_prompts.h"
#include "markers/ui/dialog_add_new_marker.h"

#include <QList>
#include <QStringList>
#include <functional>
#include <vector>

namespace orbisk {
class CDialogEditMarkerSet;
class FavoritesList;
class SettingsStore;
} // namespace orbisk

namespace orbisk::test {

// The window's questions answered by a test: what was asked is recorded,
// and the answers come from the script below. Without a script, messages are
// answered OK, file dialogs and the other dialogs are cancelled, and the
// marker detail dialog is confirmed as shown.
class ScriptedPrompts : public UserPrompts {
public:
    // What was asked, in order.
    QStringList messages;               // every message's text
    std::vector<MarkerDetails> markers; // every marker detail dialog as it was shown
    QStringList updates;                // name and download address of each update offer

    // The script.
    QList<QMessageBox::StandardButton> answers; // to the messages, in turn
    QStringList files;                          // to the file dialogs, in turn
    std::function<bool(MarkerDetails&)> editMarker;
    std::function<bool(QString&)> nameFavorite;
    std::function<void(FavoritesList&)> organizeFavorites;
    std::function<bool(SettingsStore&)> editSettings;
    std::function<int(CDialogEditMarkerSet&)> editMarkerSet;
    // Without it an import takes the choice as offered.
    std::function<bool(ImportChoice&)> chooseImport;

    QMessageBox::StandardButton Message(const QString& text, const QString& caption,
                                        QMessageBox::Icon icon,
                                        QMessageBox::StandardButtons buttons) override;
    QString ChooseFile(bool save, const QString& initialPath) override;
    QString ChooseExchangeFile(bool save, const QString& initialPath) override;
    bool ChooseImport(ImportChoice& choice) override;
    bool EditMarker(MarkerDetails& details) override;
    void ShowUpdate(const QString& name, const QString& downloadAddress) override;
    bool NameFavorite(QString& name) override;
    void OrganizeFavorites(FavoritesList& list) override;
    bool EditSettings(SettingsStore& settings) override;
    int EditMarkerSet(CDialogEditMarkerSet& dialog) override;
};

} // namespace orbisk::test
