// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/busy_indicator.h"

#include "app/control_helpers.h"

#include <QCursor>
#include <QIcon>
#include <QLabel>

namespace orbisk {
namespace {

QPixmap Pixmap(int id) {
    return Icon(id).pixmap(QSize(32, 32));
}

} // namespace

BusyIndicator::BusyIndicator(QWidget* window, QWidget* panel)
    : QObject(window), window_(window), label_(new QLabel(panel)) {
    label_->setToolTip(tr("Progress indicator"));
    label_->setAccessibleName(tr("Progress indicator"));
}

void BusyIndicator::Start() {
    state_ = 1;
}

void BusyIndicator::Tick() {
    if (state_ == 1)
        Advance();
}

void BusyIndicator::ShowStill() {
    frame_ = 4;
    Advance();
}

void BusyIndicator::ShowDone() {
    state_ = 0;
    ShowStill();
}

bool BusyIndicator::ShowFailed() {
    if (state_ == 2)
        return false;
    state_ = 2;
    ShowStill();
    return true;
}

void BusyIndicator::Advance() {
    label_->setPixmap(Pixmap(155 + frame_));
    frame_ = (frame_ + 1) % 4;
}

void BusyIndicator::UpdateCursor(bool placing, bool busy) {
    if (placing)
        window_->setCursor(QCursor(Pixmap(106), 16, 30));
    else if (busy)
        window_->setCursor(Qt::WaitCursor);
    else
        window_->unsetCursor();
}

} // namespace orbisk
