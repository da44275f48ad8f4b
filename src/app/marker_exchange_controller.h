// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace orbisk {

class JobStarter;
class MarkerSet;
class UserPrompts;

// File > Import Markers and Export Markers: the current marker set from and
// to GPX, KML, KMZ and GeoJSON files, from the menu, the command line and a
// file dropped on the window.
class MarkerExchangeController {
    Q_DECLARE_TR_FUNCTIONS(MarkerExchangeController)

public:
    MarkerExchangeController(MarkerSet& set, UserPrompts& prompts, JobStarter& jobs)
        : set_(set), prompts_(prompts), jobs_(jobs) {}

    // Whether the file's name marks it as one of the exchange formats.
    static bool Handles(const QString& path);
    // Imports `path`, or a file the user chooses when it is empty; true when
    // the markers reached the set and the map is asked to show them.
    bool Import(const QString& path = {});
    // Writes the current set to a file the user names; its extension or
    // the chosen filter says the format.
    void Export();

private:
    void Error(const QString& text);

    MarkerSet& set_;
    UserPrompts& prompts_;
    JobStarter& jobs_;
};

} // namespace orbisk
