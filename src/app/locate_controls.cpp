// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/locate_controls.h"

#include "app/busy_indicator.h"
#include "app/command_ids.h"
#include "app/control_helpers.h"
#include "app/locate_panel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <algorithm>

namespace orbisk {

LocateControls::LocateControls(QWidget* window, QWidget* client)
    : QObject(client), panel_(new LocatePanel(client)), go_(new QPushButton(tr("&Go"), client)),
      icon_(new QToolButton(client)), busy_(new BusyIndicator(window, client)),
      frameOuter_(new QGroupBox(client)), frameInner_(new QGroupBox(client)) {
    connect(panel_, &LocatePanel::modeChosen, this,
            [this](LocateMode mode) { emit command(kIdPhoneRadio + static_cast<int>(mode)); });
    connect(panel_, &LocatePanel::countryChanged, this, [this] { emit command(kIdCountry); });
    go_->setObjectName("go");
    go_->setAutoDefault(false);
    go_->setDefault(true);
    Describe(go_, tr("Go"), tr("Find a new location"));
    connect(go_, &QPushButton::clicked, this, [this] { emit command(kIdGo); });
    icon_->setIcon(Icon(170));
    icon_->setIconSize(QSize(20, 34));
    icon_->setAutoRaise(true);
    Describe(icon_, tr("Find a new location"), tr("Find a new location"));
    icon_->setFocusPolicy(Qt::NoFocus); // a picture beside Go, which has the keyboard
    connect(icon_, &QToolButton::clicked, this, [this] { emit command(kIdLocateIcon); });
    frameOuter_->lower();
    frameInner_->lower();
}

int LocateControls::GoWidth() const {
    return std::max(30,
                    go_->fontMetrics().horizontalAdvance(QString(go_->text()).remove('&')) + 12);
}

void LocateControls::Place(const MainLayout& layout) {
    orbisk::Place(panel_, layout.locateGroup);
    // The remark ends 7 pixels before Go, however wide Go's text makes it.
    panel_->KeepClearOnTheRight(layout.locateGroup.x + layout.locateGroup.width - layout.go.x + 7);
    orbisk::Place(go_, layout.go);
    orbisk::Place(icon_, layout.locateIcon);
    orbisk::Place(busy_->Label(), layout.progress);
    orbisk::Place(frameOuter_, layout.frameOuter);
    orbisk::Place(frameInner_, layout.frameInner);
}

void LocateControls::ShowMode(LocateMode mode, bool shown) {
    panel_->SetLocateModeUi(mode, shown);
    for (QWidget* control :
         std::initializer_list<QWidget*>{go_, icon_, busy_->Label(), frameOuter_, frameInner_})
        control->setVisible(shown);
}

void LocateControls::SetBusy(bool busy) {
    icon_->setIcon(Icon(busy ? 192 : 170));
    icon_->setEnabled(!busy);
    go_->setEnabled(!busy);
}

} // namespace orbisk
