// --no-overwrite: a file whose outputs exist already is left alone, so that a batch script run
// twice converts only what is new.
#pragma once

#include "cli/RunState.h"

#include <QString>
#include <QStringList>

namespace lumelle {

// The planned outputs of `input` (as written from `nameFile`) that exist already; empty when
// none does or --no-overwrite was not given.
QStringList ExistingOutputs(const RunState& run, const QString& nameFile);

// Says that `shown` was left as it was because of `existing`.
void ReportLeftAlone(const QString& shown, const QStringList& existing);

// With --no-overwrite, turns the help file off for the run writing from `nameFile` when one is
// in its folder already; gives the choice to restore afterwards.
bool KeepExistingHelpFile(RunState& run, const QString& nameFile);

} // namespace lumelle
