#include "subtitle/TextLanguage.h"

#include <cld2/public/compact_lang_det.h>

#include <cstring>
#include <limits>

namespace lumelle {

namespace {

// The detector still speaks the withdrawn ISO 639-1 codes of a few languages, and names the
// two scripts of Chinese apart; the index holds the current code and one Chinese.
std::string currentCode(const char* code)
{
    static constexpr struct
    {
        const char* detector;
        const char* current;
    } kRenamed[] = {{"iw", "he"}, {"ji", "yi"}, {"in", "id"}, {"zh-Hant", "zh"}};
    for (const auto& renamed : kRenamed) {
        if (std::strcmp(code, renamed.detector) == 0)
            return renamed.current;
    }
    return code;
}

} // namespace

std::string IdentifyTextLanguage(const std::string& utf8)
{
    if (utf8.size() > std::size_t(std::numeric_limits<int>::max()))
        return {};
    bool reliable = false;
    int validPrefix = 0;
    // The checking form: bytes that are not valid UTF-8 tell nothing instead of being read
    // past their end.
    const CLD2::Language language =
        CLD2::DetectLanguageCheckUTF8(utf8.data(), int(utf8.size()), true, &reliable, &validPrefix);
    if (!reliable || language == CLD2::UNKNOWN_LANGUAGE)
        return {};
    const std::string code = currentCode(CLD2::LanguageCode(language));
    // Only two-letter codes: the detector's own codes for languages without one ("xx-Qaai")
    // name nothing an index can hold.
    return code.size() == 2 ? code : std::string();
}

std::string IdentifyListLanguage(const TSubtitle& list)
{
    std::string text;
    for (int i = 1; i <= list.Count(); ++i) {
        for (const std::string& line : list.line(i).TextLines()) {
            text += line;
            text += '\n';
        }
    }
    return IdentifyTextLanguage(text);
}

} // namespace lumelle
