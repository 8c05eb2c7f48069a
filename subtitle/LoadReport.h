// What the window tells the user about a subtitle file it has just read.
#pragma once

#include "subtitle/Subtitle.h"

#include <QString>

namespace lumelle {

// How many skipped entries the message lists one by one; the rest are counted.
inline constexpr int kListedSkippedEntries = 20;

// The message after reading `fileName` into `list` under `charset`: the encoding when it was
// declared by a byte-order mark or detected, a frame-rate conversion, the entries that were
// skipped and those shown otherwise than written (for each, the first kListedSkippedEntries
// with line and reason, then a count), and how many end where they start and are not shown. When
// nothing was read at all it says so. Empty when there is nothing to tell (a UTF-8 file read
// whole).
QString LoadReport(const TSubtitle& list, const QString& fileName, quint8 charset);

} // namespace lumelle
