// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"

#include <QColor>
#include <QCoreApplication>
#include <functional>

namespace orbisk {

class JobStarter;
class UserPrompts;

// Options > Settings: the sheet, storing what was confirmed, and a new map
// request that carries it. The number of favorites kept goes to whoever
// keeps them, through `maxFavoritesChanged`.
class SettingsController {
    Q_DECLARE_TR_FUNCTIONS(SettingsController)

public:
    using MaxFavoritesChanged = std::function<void(int maximum)>;

    SettingsController(UserPrompts& prompts, JobStarter& jobs,
                       MaxFavoritesChanged maxFavoritesChanged)
        : prompts_(prompts), jobs_(jobs), maxFavoritesChanged_(std::move(maxFavoritesChanged)) {}

    SettingsStore& Settings() { return settings_; }
    void Load();
    void Edit();
    // The ground of the map type the first map will have: no white flash.
    QColor MapGround() const;

private:
    UserPrompts& prompts_;
    JobStarter& jobs_;
    MaxFavoritesChanged maxFavoritesChanged_;
    SettingsStore settings_;
};

} // namespace orbisk
