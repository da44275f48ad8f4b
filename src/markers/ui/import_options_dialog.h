// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "interchange/imported_places.h"

#include <QDialog>

class QButtonGroup;

namespace orbisk {

// What an import asks the user before it changes the marker set.
struct ImportChoice {
    // What the file holds.
    size_t markers = 0;
    size_t paths = 0;
    size_t pathPoints = 0;
    // Every point would make more markers than a set holds.
    bool everyPointTooMany = false;
    // There is a current set to add to.
    bool canAppend = false;
    // The answer.
    PathPoints points = PathPoints::Ends;
    bool append = false;
};

// "Import Markers": which points of routes and tracks become markers, and
// whether they start a new marker set or join the current one.
class ImportOptionsDialog : public QDialog {
    Q_OBJECT
public:
    ImportOptionsDialog(const ImportChoice& choice, QWidget* parent = nullptr);
    // The choice with the answer the controls hold.
    ImportChoice Choice() const;

private:
    ImportChoice choice_;
    QButtonGroup* points_ = nullptr;
    QButtonGroup* target_ = nullptr;
};

} // namespace orbisk
