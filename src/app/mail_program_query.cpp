// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mail_program_query.h"

#include "common/atomic_file.h"
#include "settings/mail_program.h"

#include <QProcess>
#include <QStandardPaths>

namespace orbisk {

std::optional<bool> MailProgramRegistered() {
    const QString query = QStandardPaths::findExecutable("xdg-mime");
    if (query.isEmpty())
        return std::nullopt;
    QProcess process;
    process.start(query, {"query", "default", "x-scheme-handler/mailto"});
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    return NamesAMailProgram(process.readAllStandardOutput().trimmed().toStdString());
}

} // namespace orbisk
