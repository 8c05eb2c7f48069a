// One subtitle file read for the converter, and how it was read said on standard error: its
// encoding, a frame-rate conversion, the entries skipped or changed.
#pragma once

#include "cli/RunState.h"
#include "subtitle/Subtitle.h"
#include "vobsub/StreamLanguage.h"

#include <QString>
#include <string>

namespace lumelle {

// Sets how `list` reads a file: the language that tells code pages apart (a two-letter
// code) and the WebVTT choices of the command line.
void PrepareReading(TSubtitle& list, const ConvertOptions& options, std::string languageCode);

// Reads `file` into `list`; false, after saying so, when it is no subtitle file or holds no
// readable subtitle (then `emptyRead`, when given, says whether it was read all the same).
// The list's language hint is the caller's to set.
// The code-page hint for reading `file`: --language, else the language its name gives, else
// none (the stored default language says nothing about the file).
std::string ReadingLanguage(const QString& file, const ConvertOptions& options);

// The language `file`, read into `list`, is labelled with: --language, else what its name or
// its text tells, else the stored default; said on standard error by a listing, and on standard
// output by a conversion when the text told it.
StreamLanguage LanguageOfInput(const QString& file, const TSubtitle& list, const RunState& run);

bool ReadInput(TSubtitle& list, const QString& file, const RunState& run,
               bool* emptyRead = nullptr);

} // namespace lumelle
