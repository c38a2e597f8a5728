#pragma once

#include "history/HistoryStep.h"

#include <QByteArray>
#include <QString>

// What a step changed, in the words the history shows: "Titel: »Skak« → »Skakmester«",
// "DK.RTF gemt", "Mappe »Programmer\Skak« oprettet". Paths are named relative to the
// catalogue's folder, with the backslashes the catalogue stores.
namespace StepSummary {

// catalogueBefore and catalogueAfter are the catalogue's bytes around the step, when it changed it.
QString describe(const HistoryStep &step, const QString &catalogueLocalPath, const QByteArray &catalogueBefore,
                 const QByteArray &catalogueAfter);

// A path as the user reads it: relative to the catalogue's folder where it lies inside it.
QString shownPath(const QString &localPath, const QString &catalogueLocalPath);

} // namespace StepSummary
