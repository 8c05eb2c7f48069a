// --list: a subtitle file printed as read, one line per subtitle, nothing written.
#pragma once

#include "cli/RunState.h"

#include <QString>

namespace lumelle {

// Lists `file` on standard output: number, start, end and the text lines joined by "|".
// Returns 0, 1 when it cannot be read, 3 when entries were skipped.
int ListFile(const QString& file, const RunState& run);

} // namespace lumelle
