// What the window tells the user about a subtitle file it has just read.
#pragma once

#include "subtitle/Subtitle.h"

#include "platform/FontCoverage.h"

#include <QString>
#include <vector>

namespace lumelle {

// How many skipped entries the message lists one by one; the rest are counted.
inline constexpr int kListedSkippedEntries = 20;

// The message after reading `fileName` into `list` under `charset`: the encoding when it was
// declared by a byte-order mark or detected, a frame-rate conversion, the entries that were
// skipped and those shown otherwise than written (for each, the first kListedSkippedEntries
// with line and reason, then a count), how many end where they start and are not shown, and the
// subtitles with characters no installed font can draw. When
// nothing was read at all it says so. Empty when there is nothing to tell (a UTF-8 file read
// whole).
QString LoadReport(const TSubtitle& list, const QString& fileName, quint8 charset);

// The subtitles of `list` (by number) holding characters no installed font can draw, with
// those characters.
std::vector<platform::UndrawableSubtitle> UndrawableSubtitles(const TSubtitle& list);

} // namespace lumelle
