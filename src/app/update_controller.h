// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/update_notice.h"

#include <QCoreApplication>

namespace orbisk {

class SettingsStore;
class UserPrompts;
struct ProgramEnvironment;
class ServiceDefinitions;

// Definitions and program updates: loading the definition file, fetching a
// newer one at start, Help > Update, and the delayed notice of a newer
// program.
class UpdateController {
    Q_DECLARE_TR_FUNCTIONS(UpdateController)

public:
    UpdateController(ServiceDefinitions& definitions, const ProgramEnvironment& environment,
                     const SettingsStore& settings, UserPrompts& prompts)
        : definitions_(definitions), environment_(environment), settings_(settings),
          prompts_(prompts) {}

    void LoadDefinitions();
    // A newer definition file on the server replaces the local one.
    void RunDefinitionUpdate();
    void CheckForUpdate();
    // One idle tick of the window's timer.
    void Tick();

private:
    ServiceDefinitions& definitions_;
    const ProgramEnvironment& environment_;
    const SettingsStore& settings_;
    UserPrompts& prompts_;
    UpdateNotice notice_;
};

} // namespace orbisk
