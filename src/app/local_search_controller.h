// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace orbisk {

class BottomPanel;
class JobStarter;
class JobState;
class UserPrompts;

// The local search of the bottom panel: ">", "<", the restart icon and the
// status line, over the job state's keyword and counters.
class LocalSearchController {
    Q_DECLARE_TR_FUNCTIONS(LocalSearchController)

public:
    LocalSearchController(JobState& state, BottomPanel& panel, UserPrompts& prompts,
                          JobStarter& jobs)
        : state_(state), panel_(panel), prompts_(prompts), jobs_(jobs) {}

    void Next();
    void Previous();
    void Restart();
    // Enter in the keyword field: the next page while there is one, else
    // the area searched again.
    void Enter();
    // A new place or marker set ends the current search.
    void Clear();
    void ShowStatus();
    // A job's service failed: the status line says why until the next job.
    void ShowFailure(const QString& reason);
    void ForgetFailure() { failure_.clear(); }

private:
    // Asks for a keyword when the field holds none; true when it asked.
    bool AskForKeyword(const QString& text);

    JobState& state_;
    BottomPanel& panel_;
    UserPrompts& prompts_;
    JobStarter& jobs_;
    QString failure_;
};

} // namespace orbisk
