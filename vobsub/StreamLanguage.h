// The language a stream is labelled with when the user named none: the one its file name
// gives (film.de.srt, film.de.forced.srt), else the one its text is written in, else the
// stored default of the Language list.
#pragma once

#include "subtitle/Subtitle.h"

#include <QString>

namespace lumelle {

// Declared: the file names the language of its text itself (TTML xml:lang, SAMI lang, EBU STL).
enum class LanguageSource { Given, Name, Text, Default, Declared };

struct StreamLanguage
{
    QString languageText; // an entry of the Language list, or a code the index takes
    LanguageSource source = LanguageSource::Default;
};

// The entry of the Language list for a code the index takes ("he" and "iw" -> "iw HEBREW");
// the code itself for one outside the list ("nb"); empty for anything else.
QString LanguageTextFor(const QString& code);

// The language part of `fileName` as a Language-list entry; empty when the name has none.
QString NameLanguageText(const QString& fileName);

// The language of the stream read into `list` from `fileName`: from the name, else the one the
// file declares, else from the text, else `storedDefault`.
StreamLanguage FindStreamLanguage(const QString& fileName, const TSubtitle& list,
                                  const QString& storedDefault);

// "language: English, from the text"; empty for a language the user gave.
QString LanguageNote(const StreamLanguage& language);

} // namespace lumelle
