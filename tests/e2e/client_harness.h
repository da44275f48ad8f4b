// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/map_main_dlg.h"
#include "markers/ui/dialog_add_new_marker.h"
#include "orbisk_server_process.h"
#include "scripted_prompts.h"
#include "temp_dir.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orbisk::test {

// One run of the real client against the real orbisk-server: a program
// directory made from the definitions the server publishes, a private
// settings store, and the window's dialogs answered by the test.
class ClientHarness {
public:
    ClientHarness();
    ~ClientHarness();

    // Starts the server; extra arguments go to orbisk-server.
    bool StartServer(const QStringList& serverArguments = {});
    // Writes Map.dat from the server's definition file after `edit` changed
    // its text, plus html/ and MarkerSets/.
    void WriteProgramDirectory(const std::function<void(std::string& xml)>& edit = {});
    // Opens the window and runs its start-up sequence.
    CMapMainDlg& StartClient(const std::string& commandLine = "");
    // Waits until no job runs and the page has loaded.
    bool WaitIdle(int milliseconds = 30000);
    // A command, once the page has answered what it asked of the view.
    void RunCommand(int id);
    // Waits until the server has received `count` map page requests.
    bool WaitForRequests(size_t count, int milliseconds = 30000);
    // The value of a script run in the loaded page, as text.
    QString PageValue(const QString& script);

    const std::filesystem::path& Directory() const { return dir_.Path(); }
    OrbiskServerProcess& Server() { return *server_; }
    CMapMainDlg& Window() { return *window_; }
    void CloseClient() { window_.reset(); }

    // Runs on the new window before its start-up sequence.
    std::function<void(CMapMainDlg&)> beforeStart;
    ScriptedPrompts prompts;
    QStringList& messages = prompts.messages; // every message box text, in order
    QStringList& files = prompts.files;       // what the file dialogs answer, in turn
    std::vector<MarkerDetails>& details =
        prompts.markers; // what the marker detail dialog was shown

private:
    TempDir dir_;
    std::unique_ptr<OrbiskServerProcess> server_;
    std::unique_ptr<CMapMainDlg> window_;
};

// Processes events until `done` holds; false when `milliseconds` passed first.
bool WaitUntil(const std::function<bool()>& done, int milliseconds);

// Replaces every occurrence of `from` in `text`.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to);

} // namespace orbisk::test
