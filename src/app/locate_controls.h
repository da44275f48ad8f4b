// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/core/main_layout.h"
#include "services/location_inputs.h"

#include <QObject>

class QGroupBox;
class QPushButton;
class QToolButton;
class QWidget;

namespace orbisk {

class BusyIndicator;
class LocatePanel;

// The top of the window: the "Locate" group, Go, the locate icon, the
// progress animation and their frames. Clicks and mode changes are commands.
class LocateControls : public QObject {
    Q_OBJECT
public:
    LocateControls(QWidget* window, QWidget* client);

    LocatePanel* Panel() const { return panel_; }
    QPushButton* Go() const { return go_; }
    BusyIndicator& Busy() const { return *busy_; }

    void Place(const MainLayout& layout);
    // Go as wide as its text needs, and never narrower than 30 pixels.
    int GoWidth() const;
    // Shows one mode's fields, or hides the whole top.
    void ShowMode(LocateMode mode, bool shown);
    void SetBusy(bool busy);

signals:
    void command(int id);

private:
    LocatePanel* panel_;
    QPushButton* go_;
    QToolButton* icon_;
    BusyIndicator* busy_;
    QGroupBox* frameOuter_;
    QGroupBox* frameInner_;
};

} // namespace orbisk
