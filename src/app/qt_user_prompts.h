// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/user_prompts.h"

#include <QCoreApplication>

class QWidget;

namespace orbisk {

// The program's answers: modal dialogs over the main window.
class QtUserPrompts : public UserPrompts {
    Q_DECLARE_TR_FUNCTIONS(QtUserPrompts)

public:
    explicit QtUserPrompts(QWidget* parent) : parent_(parent) {}

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

private:
    QWidget* parent_;
};

} // namespace orbisk
