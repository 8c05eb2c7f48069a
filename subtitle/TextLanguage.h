// Which language a subtitle text is written in, told by Compact Language Detector 2 from the
// decoded text itself, for streams whose file name names none.
#pragma once

#include "subtitle/Subtitle.h"

#include <string>

namespace lumelle {

// The ISO 639-1 code of the language `utf8` is reliably written in ("en", "he", "zh"); empty
// when the text is too short or too mixed to tell.
std::string IdentifyTextLanguage(const std::string& utf8);

// The same for every text line of `list`, read as one text.
std::string IdentifyListLanguage(const TSubtitle& list);

} // namespace lumelle
