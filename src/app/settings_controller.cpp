// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/settings_controller.h"

#include "app/core/job_state.h"
#include "app/job_starter.h"
#include "app/user_prompts.h"
#include "settings/registry_key.h"
#include "settings/store_recovery.h"

namespace orbisk {

void SettingsController::Load() {
    settings_.Load();
    maxFavoritesChanged_(settings_.Get(SettingsStore::MaxFavorites));
}

QColor SettingsController::MapGround() const {
    return settings_.Get(SettingsStore::MapTypeIndex) == static_cast<int>(MapType::MapOnly)
               ? QColor(0xf4, 0xf1, 0xe8)
               : QColor(0x2f, 0x4a, 0x2a);
}

// Confirmed settings reach the map with a new request, unless a job runs:
// then the next request carries them.
void SettingsController::Edit() {
    if (!prompts_.EditSettings(settings_))
        return;
    if (!settings_.Save())
        prompts_.Tell(QString::fromStdString(
                          SaveFailedMessage(SavedPart::Settings, RegistryKey::DefaultStoreFile())),
                      tr("Error"), QMessageBox::Critical);
    jobs_.StartJob(kActionSettings, kSendResults);
    maxFavoritesChanged_(settings_.Get(SettingsStore::MaxFavorites));
}

} // namespace orbisk
