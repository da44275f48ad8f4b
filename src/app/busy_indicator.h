// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLabel;
class QWidget;

namespace orbisk {

// The progress animation beside Go and the window's cursor: turning while a
// job runs, still when its page is done or failed.
class BusyIndicator : public QObject {
    Q_OBJECT
public:
    BusyIndicator(QWidget* window, QWidget* panel);

    QLabel* Label() const { return label_; }
    // A job started: the animation turns with each Tick.
    void Start();
    void Tick();
    // The still frame; the animation goes on if it was turning.
    void ShowStill();
    // The page is complete: the still frame.
    void ShowDone();
    // The page failed; false when it had failed already (the error page
    // itself could not be shown), so the caller stops trying.
    bool ShowFailed();
    // The placing cursor wins over the wait cursor.
    void UpdateCursor(bool placing, bool busy);

private:
    void Advance();

    QWidget* window_;
    QLabel* label_;
    int state_ = 0; // 0 still, 1 turning, 2 failed
    int frame_ = 4;
};

} // namespace orbisk
