// The DVD language list of the main window (a two-letter code, a blank and the name) and the
// language codes the converter takes.
#pragma once

#include <QStringList>

namespace lumelle {

const QStringList& VobsubLanguageNames();

// The two letters an .idx holds for a language code given by a user, in any case: an ISO 639-1
// code or a code of the list stays as it is, an ISO 639-2 code of a language of the list becomes
// that language's two letters ("eng" -> "en", "ger" and "deu" -> "de"). Empty when the code is
// none of these.
QString IndexLanguageCode(const QString& code);

// The accepted codes nearest to `code` in spelling, at most `count`, for a refusal.
QStringList NearestLanguageCodes(const QString& code, int count);

// The three-letter (ISO 639-2) code of a language of the list ("en" -> "eng"); "und" for one
// without such a code.
QString ThreeLetterLanguageCode(const QString& indexCode);

// The language's name for the index's comment lines ("French", "Greek"); the code itself
// for a language outside the list.
QString LanguageName(const QString& indexCode);

} // namespace lumelle
