// The conversion of DVD subtitles read back (a VobSub pair, given by either of its files, or
// a DVD .sup) into the form the options ask for: every stream of a pair into a pair, one
// chosen stream into any form.
#pragma once

#include "cli/FileConversion.h"

namespace lumelle {

// Whether `file` is a VobSub index, a VobSub .sub or a DVD .sup, by what it holds.
bool IsDvdPictureFile(const QString& file);

// Converts one such file; returns as ConvertFile does (3 when some of it was damaged).
int ConvertDvdFile(const QString& file, const RunState& run, FileReport& report,
                   QList<Produced>& produced);

} // namespace lumelle
