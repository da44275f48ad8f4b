// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/update_controller.h"

#include "app/user_prompts.h"
#include "services/service_definitions.h"
#include "settings/program_environment.h"
#include "settings/settings_store.h"
#include "update/definition_update.h"

namespace orbisk {
namespace {

constexpr std::chrono::seconds kUpdateBudget{10};

} // namespace

void UpdateController::LoadDefinitions() {
    definitions_.LoadDefinitionFile(environment_.files, [this](const std::string& message) {
        prompts_.Tell(QString::fromStdString(message), tr("Error"), QMessageBox::Critical);
    });
}

void UpdateController::RunDefinitionUpdate() {
    DefinitionSource source;
    source.host = definitions_.fixedStrings.At(FixedStrings::ServerHost);
    source.basePath = definitions_.fixedStrings.At(FixedStrings::MapDirectory);
    source.proxy = environment_.proxyServer;
    source.currentVersion = definitions_.definitionVersion;
    // However many files the list names, start-up waits for them this long at most.
    source.deadline = std::chrono::steady_clock::now() + kUpdateBudget;
    DefinitionDownloader downloader(source, environment_.files,
                                    definitions_.fixedStrings.At(FixedStrings::DefinitionFile));
    downloader.RemoveStaleStagedFiles();
    if (!DefinitionVersionCheck(source).IsNewer())
        return;
    if (downloader.DownloadAll())
        LoadDefinitions();
}

void UpdateController::CheckForUpdate() {
    if (CheckForNewerProgram(definitions_.newUpdate.ver))
        prompts_.ShowUpdate(QString::fromStdString(definitions_.newUpdate.name),
                            QString::fromStdString(definitions_.newUpdate.downloadAddress));
    else
        prompts_.Tell(tr("Currently no update is available."), tr("Information"),
                      QMessageBox::Information);
}

void UpdateController::Tick() {
    if (notice_.Tick(false, settings_.Get(SettingsStore::UpdatePreferenceIndex),
                     CheckForNewerProgram(definitions_.newUpdate.ver)))
        prompts_.ShowUpdate(QString::fromStdString(definitions_.newUpdate.name),
                            QString::fromStdString(definitions_.newUpdate.downloadAddress));
}

} // namespace orbisk
