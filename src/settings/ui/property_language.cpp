// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ui/property_language.h"

#include "settings/language_choice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orbisk {

CPropertyLanguage::CPropertyLanguage(const std::string& chosen, QWidget* parent)
    : SettingsPage(parent), choice(chosen) {
    auto* group = new QGroupBox(tr("Language"), this);
    languageList = new QComboBox(group);
    // Each language by its own name, so that a user can find theirs.
    languageList->addItem(tr("The system's language"), QString(kLanguageFollowsSystem));
    languageList->addItem("English", "en");
    languageList->addItem(QString::fromUtf8("Fran\u00e7ais"), "fr");
    languageList->setCurrentIndex(
        std::max(0, languageList->findData(QString::fromStdString(choice))));
    auto* note =
        new QLabel(tr("Orbisk speaks the language you choose from its next start."), group);
    note->setWordWrap(true);
    auto* form = new QFormLayout(group);
    form->addRow(tr("Language of Orbisk:"), languageList);
    form->addRow(note);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CPropertyLanguage::ReadControls() {
    choice = languageList->currentData().toString().toStdString();
}

} // namespace orbisk
