#pragma once

#include <QString>

#include <optional>

#include "app/run_record.h"

class QWidget;

// Writes the last run's picture (PNG, SVG, PDF) or its table of numbers (CSV)
// to path, as the export tool writes it for the same parameters, additions,
// size and scale (the pixel ratio the window drew at): an existing file is
// only ever replaced by a complete new one.
// Nothing when written, else the reason as one sentence in the shown language.
std::optional<QString> WriteRunFile(const RunRecord& run, OutputFormat format, const QString& path);

// Asks for a file with the save dialog (PNG, SVG, PDF or CSV, chosen by the
// name's extension, else by the dialog's filter, whose extension a name
// without one gets) and writes the run there; a failure is shown in a
// message box. Cancelling does nothing.
void SaveRunFileAs(QWidget* parent, const RunRecord& run);
