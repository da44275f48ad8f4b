// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/ui/property_sheet_settings.h"

#include <string>

class QComboBox;

namespace orbisk {

// "Language": the window's language, the system's or one the user chose.
// The choice is "", "en" or "fr" (settings/language_choice.h).
class CPropertyLanguage : public SettingsPage {
    Q_OBJECT
public:
    explicit CPropertyLanguage(const std::string& choice, QWidget* parent = nullptr);
    void ReadControls() override;

    std::string choice;
    QComboBox* languageList = nullptr;
};

} // namespace orbisk
