// Finds the code page of subtitle text that is not UTF-8. Two detectors (uchardet, then ICU's)
// name candidates, the language the subtitles are for names the code pages usual for it, and
// every candidate is tried on the text itself: the one whose decoding reads as one script with
// the fewest stray symbols wins. Short files, where the detectors alone are often silent or
// wrong, are what this is for.
#pragma once

#include <QString>
#include <string>

namespace lumelle {

struct CodePageGuess
{
    // The iconv name of the code page ("WINDOWS-1253", "CP874", "SHIFT_JIS", ...); empty when
    // nothing could be told, and the text is best read in the Western code page.
    std::string codePage;
};

// `text` is the whole file (not valid UTF-8); `languageCode` the two-letter code of the
// language the subtitles are for ("el"), or empty when none is known.
CodePageGuess GuessCodePage(const std::string& text, const std::string& languageCode = {});

// The two-letter code at the start of a language choice ("el GREEK" gives "el"); empty when
// there is none.
std::string LanguageCodeOf(const QString& languageText);

// How well `decoded` reads as text of one language: 0 for text that does, larger for every
// undecodable byte, letter of a second script inside a word, stray symbol, mixed-case word and
// run of accented Latin letters. Exposed for the tests.
double Implausibility(const QString& decoded);

} // namespace lumelle
