// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/settings_store.h"

#include <QColor>

namespace orbisk {

class FavoritesList;
class JobStarter;
class UserPrompts;

// Options > Settings: the sheet, storing what was confirmed, and a new map
// request that carries it.
class SettingsController {
public:
    SettingsController(UserPrompts& prompts, JobStarter& jobs, FavoritesList& favorites)
        : prompts_(prompts), jobs_(jobs), favorites_(favorites) {}

    SettingsStore& Settings() { return settings_; }
    void Load();
    void Edit();
    // The ground of the map type the first map will have: no white flash.
    QColor MapGround() const;

private:
    UserPrompts& prompts_;
    JobStarter& jobs_;
    FavoritesList& favorites_;
    SettingsStore settings_;
};

} // namespace orbisk
