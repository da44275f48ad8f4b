// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/marker_exchange_controller.h"

#include "app/core/job_state.h"
#include "app/job_starter.h"
#include "app/user_prompts.h"
#include "interchange/exchange_file.h"
#include "markers/marker_set_texts.h"
#include "markers/ui/import_options_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace orbisk {
namespace {

std::optional<ExchangeFormat> ExchangeFormatOf(const QString& path) {
    const auto format = FormatOfPath(path.toStdString());
    return format == ExchangeFormat::MarkerSet ? std::nullopt : format;
}

// The choice offered first: start and end of routes and tracks, a new set.
ImportChoice OfferedChoice(const ImportedPlaces& places, const MarkerSet& current) {
    ImportChoice choice;
    choice.markers = places.markers.size();
    choice.paths = places.paths.size();
    choice.pathPoints = places.PathPointCount();
    choice.everyPointTooMany = places.MarkerCountWith(PathPoints::All) > MarkerSet::kMaxMarkers;
    choice.canAppend = !current.IsEmpty();
    return choice;
}

} // namespace

bool MarkerExchangeController::Handles(const QString& path) {
    return ExchangeFormatOf(path).has_value();
}

void MarkerExchangeController::Error(const QString& text) {
    prompts_.Tell(text, tr("Error"), QMessageBox::Critical);
}

bool MarkerExchangeController::Import(const QString& given) {
    if (jobs_.Busy())
        return false;
    const QString path = given.isEmpty() ? prompts_.ChooseExchangeFile(false, {}) : given;
    if (path.isEmpty())
        return false;
    ImportedPlaces places;
    std::string why;
    if (!ExchangeFile::Read(path.toStdString(), places, why)) {
        Error(tr("Failed to import markers from %1:\n%2").arg(path, QString::fromStdString(why)));
        return false;
    }
    ImportChoice choice = OfferedChoice(places, set_);
    if ((choice.paths > 0 || choice.canAppend) && !prompts_.ChooseImport(choice))
        return false;
    if (!choice.append && set_.IsModified() &&
        prompts_.Message(QString::fromStdString(ReplaceUnsavedQuestion()), tr("Question"),
                         QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No) == QMessageBox::No)
        return false;
    MarkerSet imported;
    const bool taken = choice.append ? ExchangeFile::AppendTo(places, choice.points, set_, why)
                                     : ExchangeFile::MakeSet(places, choice.points,
                                                             path.toStdString(), imported, why);
    if (!taken) {
        Error(tr("Failed to import markers from %1:\n%2").arg(path, QString::fromStdString(why)));
        return false;
    }
    if (!choice.append) {
        set_.TakeOver(imported);
        // Nothing of it is in a marker set file yet.
        set_.SetModified(true);
    }
    // The map loads while the user reads what came in.
    jobs_.ShowMarkerSet(kActionMarkerSetLoaded);
    prompts_.Tell(tr("Imported from %1: %2.")
                      .arg(QFileInfo(path).fileName(), QString::fromStdString(places.Report())),
                  tr("Import Markers"), QMessageBox::Information);
    return true;
}

void MarkerExchangeController::Export() {
    if (jobs_.Busy())
        return;
    const QString name = set_.title.empty() ? tr("Markers") : QString::fromStdString(set_.title);
    const QString path = prompts_.ChooseExchangeFile(
        true, QDir::home().filePath(QString(name).replace('/', '_') + ".gpx"));
    if (path.isEmpty())
        return;
    const auto format = ExchangeFormatOf(path);
    if (!format) {
        Error(tr("Failed to export markers: name the file with .gpx, .kml, .kmz or .geojson at "
                 "the end."));
        return;
    }
    std::string why;
    if (!ExchangeFile::Write(set_, path.toStdString(), *format, why))
        Error(tr("Failed to export markers to %1:\n%2").arg(path, QString::fromStdString(why)));
}

} // namespace orbisk
