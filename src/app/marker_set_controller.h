// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "markers/marker_set.h"
#include "markers/ui/dialog_edit_marker_set.h"

#include <QCoreApplication>
#include <QPoint>
#include <functional>
#include <string>

class QWidget;

namespace orbisk {

class CExplorer1;
class JobStarter;
class ServiceDefinitions;
class UserPrompts;
struct MapViewState;
struct ProgramEnvironment;

// "My Markers": the current marker set and its commands (add at a map click,
// edit, load, save, send), each shown on the map by a job.
class MarkerSetController {
    Q_DECLARE_TR_FUNCTIONS(MarkerSetController)

public:
    MarkerSetController(MarkerSet& set, MapViewState& view, CExplorer1& browser,
                        UserPrompts& prompts, JobStarter& jobs,
                        const ServiceDefinitions& definitions,
                        const ProgramEnvironment& environment, QWidget* dialogParent);

    // The marker set file of the command line, quotes and all; false (and
    // said, unless there is none) when it cannot be found or read.
    bool OpenCommandLine(const std::string& commandLinePath);
    void Save();
    // Loads `path`, or a file the user chooses when it is empty.
    void Load(const QString& path = {});
    void Send();
    void Edit();
    void AddAt(QPoint position);
    // Whether closing the window must ask about unsaved markers first.
    bool NeedsCloseQuestion() const;
    // Offers unsaved markers for saving; `decided` learns whether the window
    // may close: after "No", or "Yes" with the set saved. A cancelled or
    // failed save keeps the window open.
    void AskToClose(std::function<void(bool close)> decided);

private:
    std::string ProgramFile(int fixedString) const;
    // Centre and zoom of the set follow the map, then `next` runs.
    void WithView(std::function<void()> next);
    bool ReadInto(const std::string& path, const QString& failure);
    SaveOutcome SaveNow();
    void SendNow();
    void EditNow();
    void AddNow(QPoint position);
    SaveOutcome SaveWithDialog(MarkerSet& set, const MapViewState* view,
                               const std::string& initialPath, std::string& why);
    void Error(const QString& text);

    MarkerSet& set_;
    MapViewState& view_;
    CExplorer1& browser_;
    UserPrompts& prompts_;
    JobStarter& jobs_;
    const ServiceDefinitions& definitions_;
    const ProgramEnvironment& environment_;
    QWidget* dialogParent_;
    bool readingView_ = false;
};

} // namespace orbisk
