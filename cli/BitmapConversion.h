// The conversion of a file of pictures (a Blu-ray PGS stream, a BDN XML index or DVD
// subtitles) into the form the options ask for: read whole, its damage named by position, then
// drawn again for the output's
// frame.
#pragma once

#include "cli/FileConversion.h"

namespace lumelle {

// Whether `file` holds pictures rather than text, by what it holds and not by its name.
bool IsPictureFile(const QString& file);

// Converts one file of pictures; returns as ConvertFile does (3 when some of it was damaged).
int ConvertPictureFile(const QString& file, const RunState& run, FileReport& report,
                       QList<Produced>& produced);

} // namespace lumelle
