// SPDX-License-Identifier: GPL-3.0-or-later
// The main window started against a map server stand-in on loopback, for the
// window tests, which run offscreen.
#pragma once

#include "app/map_main_dlg.h"
#include "loopback_server.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

#include <QStringList>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orbisk::test {

// Answers the map page with the five hidden fields and offers definitions.
class MapServerStandIn {
public:
    MapServerStandIn();
    std::string Host() const { return loopback_.Host(); }
    std::vector<std::string> Bodies();
    // The Accept-Language of each map page request.
    std::vector<std::string> Languages();
    void OfferDefinitions(const std::string& version, const std::string& encodedFile);

private:
    std::mutex mutex_;
    std::vector<std::string> bodies_;
    std::vector<std::string> languages_;
    std::string offeredVersion = "0";
    std::string offeredFile;
    LoopbackServer loopback_; // stops first: no handler outlives the state it uses
};

// A program directory whose definitions send the client to `host`.
void WriteProgramDirectory(const std::filesystem::path& directory, const std::string& host,
                           const std::string& newestVersion = "1.1");

// What each window test starts from: a fresh program directory, user folders
// and stand-in server; the window once Start() has run.
class MapWindowFixture {
protected:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<MapServerStandIn> server_;
    ScriptedPrompts prompts_;
    std::unique_ptr<CMapMainDlg> window_;
    QStringList& messages_ = prompts_.messages;
    QStringList& files_ = prompts_.files; // what the file dialogs answer, in turn
    std::vector<MarkerDetails>& details_ =
        prompts_.markers; // what the marker detail dialog was shown
    QStringList& updates_ = prompts_.updates;

    void SetUp();
    void TearDown();
    // A window started up against the stand-in, its first job loaded.
    CMapMainDlg& Start(const std::string& host = "", const std::string& commandLine = "",
                       const std::string& newestVersion = "1.1");
    void WaitIdle();
    // A command, and the page's answer to what it asked of the view.
    void Command(int id);
};

} // namespace orbisk::test
