// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/local_search_controller.h"

#include "app/bottom_panel.h"
#include "app/core/job_state.h"
#include "app/job_starter.h"
#include "app/user_prompts.h"

namespace orbisk {

void LocalSearchController::Clear() {
    panel_.SetKeyword("");
    state_.ClearKeyword();
    ShowStatus();
}

void LocalSearchController::ShowStatus() {
    const LocalSearchStatus status = state_.SearchStatus(jobs_.Busy());
    panel_.ShowStatus(failure_.isEmpty() ? QString::fromStdString(status.text) : failure_,
                      status.previousEnabled, status.nextEnabled);
}

void LocalSearchController::ShowFailure(const QString& reason) {
    failure_ = reason;
    ShowStatus();
}

bool LocalSearchController::AskForKeyword(const QString& text) {
    if (!IsNoKeyword(text.toStdString()))
        return false;
    prompts_.Tell(
        tr("Please type in the keyword(s) you want to\nsearch in current area on the map."),
        tr("Information"), QMessageBox::Information);
    panel_.FocusKeyword();
    return true;
}

void LocalSearchController::Next() {
    const QString text = panel_.KeywordText();
    if (AskForKeyword(text))
        return;
    jobs_.StartJob(kActionNextPage, kLocalSearch | kSendResults,
                   [this, &text] { state_.NextPage(text.toStdString()); });
}

void LocalSearchController::Enter() {
    const std::string text = panel_.KeywordText().toStdString();
    if (text == state_.Keyword() && !HasNextPage(state_.Counters()))
        return Restart();
    Next();
}

void LocalSearchController::Previous() {
    const QString text = panel_.KeywordText();
    jobs_.StartJob(kActionPreviousPage, kLocalSearch | kSendResults,
                   [this, &text] { state_.PreviousPage(text.toStdString()); });
}

void LocalSearchController::Restart() {
    const QString text = panel_.KeywordText();
    if (AskForKeyword(text))
        return;
    jobs_.StartJob(kActionRestartSearch, kLocalSearch | kSendResults,
                   [this, &text] { state_.RestartSearch(text.toStdString()); });
}

} // namespace orbisk
