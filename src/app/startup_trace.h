// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace orbisk {

class CMapMainDlg;

// Milliseconds since the kernel started this process, so that start-up times
// include loading the libraries; -1 when /proc cannot tell.
long long MillisecondsSinceProcessStart();

// With --trace: one line on standard error for every step of start-up and
// every paint of the window, "orbisk: trace MS EVENT", for a benchmark to
// read where the time to a stable map goes.
class StartupTrace : public QObject {
public:
    explicit StartupTrace(CMapMainDlg& window);
    ~StartupTrace() override;
    // Prints the event while a trace exists; nothing otherwise.
    static void Mark(const char* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CMapMainDlg& window_;
    bool mapped_ = false;
};

} // namespace orbisk
