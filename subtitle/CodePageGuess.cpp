#include "subtitle/CodePageGuess.h"

#include "subtitle/CodePageConversion.h"
#include "subtitle/TextLanguage.h"

#include <QChar>
#include <QList>
#include <QStringView>
#include <algorithm>
#include <array>
#include <cstring>
#include <iconv.h>
#include <uchardet.h>
#include <unicode/ucsdet.h>
#include <vector>

namespace lumelle {

namespace {

// Letters are grouped by the writing system they belong to; a word whose letters come from two
// groups is what a wrong code page makes of text. Chinese characters and Japanese kana share a
// group, Korean syllables have their own.
enum class LetterGroup { None, Latin, Greek, Cyrillic, Hebrew, Arabic, Thai, Hangul, Cjk, Other };

LetterGroup groupOf(char32_t c)
{
    switch (QChar::script(c)) {
    case QChar::Script_Latin:
        return LetterGroup::Latin;
    case QChar::Script_Greek:
        return LetterGroup::Greek;
    case QChar::Script_Cyrillic:
        return LetterGroup::Cyrillic;
    case QChar::Script_Hebrew:
        return LetterGroup::Hebrew;
    case QChar::Script_Arabic:
        return LetterGroup::Arabic;
    case QChar::Script_Thai:
        return LetterGroup::Thai;
    case QChar::Script_Hangul:
        return LetterGroup::Hangul;
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
    case QChar::Script_Bopomofo:
        return LetterGroup::Cjk;
    case QChar::Script_Common:
    case QChar::Script_Inherited:
        return LetterGroup::None;
    default:
        return LetterGroup::Other;
    }
}

bool isMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

bool isWordPart(char32_t c)
{
    return QChar::isLetter(c) || isMark(c);
}

// Symbols that real subtitle text holds: degrees, currencies, notes, marks of trade.
bool commonSymbol(char32_t c)
{
    static constexpr char32_t kCommon[] = {0xA3,   0xA5,   0xA9,   0xAE,   0xB0,  0xBD,
                                           0x20AC, 0x2116, 0x2122, 0x266A, 0x266B};
    return std::find(std::begin(kCommon), std::end(kCommon), c) != std::end(kCommon);
}

// Marks that stand inside words in real text: apostrophes, hyphens, the middle dot.
bool fitsInsideWord(char32_t c)
{
    return c == 0x2019 || c == 0x2010 || c == 0x2011 || c == 0xB7 || c == 0xAD || c == 0x2BC;
}

// A letter of a script that separates its words with spaces: Chinese, Japanese and Thai lines
// hold punctuation between letters as a matter of course.
bool spacedLetter(char32_t c)
{
    if (!QChar::isLetter(c))
        return false;
    const LetterGroup group = groupOf(c);
    return group != LetterGroup::Cjk && group != LetterGroup::Thai && group != LetterGroup::Hangul;
}

// Letters that a wrong code page makes often and real text seldom holds: the Icelandic thorn and
// eth (what Baltic and Turkish letters become in the Western code page) and the Greek vowels with
// both diaereses and accent (what the commonest Russian and Hebrew letters become in the Greek).
bool rareLetter(char32_t c)
{
    return c == 0xFE || c == 0xDE || c == 0xF0 || c == 0xD0 || c == 0x390 || c == 0x3B0;
}

// Greek vowels with the accent that every Greek word of more than one syllable carries.
bool accentedGreek(char32_t c)
{
    return (c >= 0x3AC && c <= 0x3AF) || (c >= 0x3CC && c <= 0x3CE) || c == 0x386 ||
           (c >= 0x388 && c <= 0x38A) || c == 0x38C || c == 0x38E || c == 0x38F || c == 0x390 ||
           c == 0x3B0;
}

// What one word of the text holds, counted as its letters are read.
struct WordCounts
{
    std::array<int, 10> letters{};
    int nonAscii = 0;
    bool greekAccent = false;
    bool seenUpperOnly = true;
    bool caseBreak = false;
    bool seenLower = false;
    // One token of a letter table ("Ąą"): the two cases of one letter, accents or not.
    bool casePair = false;
};

// What the reading of a whole text found against it, word by word and mark by mark.
struct Findings
{
    int bad = 0;   // undecodable bytes, control characters
    int mixed = 0; // letters of a second script inside a word
    int odd = 0;   // stray symbols, mixed-case words, letters a wrong code page makes
    int rare = 0;
    int latinLetters = 0;
    int latinAccented = 0;
    int greekWords = 0;
    int unaccentedGreekWords = 0;
    int casePairs = 0;
    int longWordLetters = 0; // letters of words of three letters or more
};

// Adds what `word` holds to `found` at the end of the word, and starts the next one.
void closeWord(WordCounts& word, Findings& found)
{
    const auto most = std::max_element(word.letters.begin() + 1, word.letters.end());
    int total = 0;
    for (int count : word.letters)
        total += count;
    found.mixed += total - *most;
    if (total >= 3)
        found.longWordLetters += total;
    // A letter table holds accented letters by nature: its pairs say nothing of how often a
    // language writes accents.
    if (most - word.letters.begin() == int(LetterGroup::Latin) && !word.casePair) {
        found.latinLetters += total;
        found.latinAccented += word.nonAscii;
    }
    if (most - word.letters.begin() == int(LetterGroup::Greek) && *most >= 4 &&
        !word.seenUpperOnly) {
        ++found.greekWords;
        found.unaccentedGreekWords += word.greekAccent ? 0 : 1;
    }
    found.odd += word.caseBreak ? 1 : 0;
    word = WordCounts{};
}

// Counts letter `c` of a word; `next` is the character after it (0 at the end of the text).
void countLetter(char32_t c, char32_t next, WordCounts& word, Findings& found)
{
    const LetterGroup group = groupOf(c);
    if (group != LetterGroup::None)
        ++word.letters[std::size_t(group)];
    if (c >= 0x80 && group == LetterGroup::Latin)
        ++word.nonAscii;
    found.rare += rareLetter(c) ? 1 : 0;
    word.greekAccent = word.greekAccent || accentedGreek(c);
    if (QChar::isLower(c)) {
        word.seenLower = true;
        word.seenUpperOnly = false;
    } else if (QChar::isUpper(c) && word.seenLower)
        word.caseBreak = true;
    // Half-width katakana: what Chinese or Korean bytes become as Shift-JIS.
    if (c >= 0xFF61 && c <= 0xFF9F)
        ++found.odd;
    // A final sigma inside a word: Hebrew or Cyrillic bytes read as Greek.
    if (c == 0x3C2 && QChar::isLetter(next))
        ++found.odd;
}

// Counts `c`, a character between words; `before` and `after` are its neighbours (0 at either
// end of the text).
void countBetweenWords(char32_t before, char32_t c, char32_t after, Findings& found)
{
    if (c < 0x80) {
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            ++found.bad;
        // Chinese writes no spaces between its words: Korean bytes read as Chinese do.
        if (c == ' ' && groupOf(before) == LetterGroup::Cjk && groupOf(after) == LetterGroup::Cjk)
            ++found.rare;
        return;
    }
    const QChar::Category category = QChar::category(c);
    // The general currency sign stands where ISO-8859-15 has the euro: no text writes it.
    constexpr char32_t kCurrencySign = 0xA4;
    if (c == 0xFFFD || c == kCurrencySign || category == QChar::Other_Control ||
        category == QChar::Other_PrivateUse || category == QChar::Other_NotAssigned ||
        category == QChar::Other_Surrogate) {
        ++found.bad;
    } else if (category == QChar::Symbol_Math || category == QChar::Symbol_Currency ||
               category == QChar::Symbol_Modifier || category == QChar::Symbol_Other ||
               category == QChar::Number_Other) {
        found.odd += commonSymbol(c) ? 0 : 1;
    } else if (category == QChar::Number_DecimalDigit &&
               (QChar::isLetter(before) || QChar::isLetter(after))) {
        // A digit of another script glued to a letter: Hebrew letters read as Thai.
        ++found.odd;
    } else if (spacedLetter(before) && spacedLetter(after) && !fitsInsideWord(c)) {
        // Punctuation between two letters of one word: "mo¿e" is Polish read as Western.
        ++found.odd;
    }
}

// True when the two letters at `at` are a token of their own (space or the text's end on either
// side) and the upper and lower case of one letter: "Ąą" of a letter table. In the right code
// page every such pair is one letter's two cases; in a wrong one many break apart.
bool startsCasePair(const std::vector<char32_t>& chars, std::size_t at)
{
    if (at + 1 >= chars.size() || (at > 0 && !QChar::isSpace(chars[at - 1])) ||
        (at + 2 < chars.size() && !QChar::isSpace(chars[at + 2])))
        return false;
    const char32_t upper = chars[at];
    const char32_t lower = chars[at + 1];
    if (!QChar::isUpper(upper) || !QChar::isLower(lower))
        return false;
    // Turkish writes the dotted and the dotless i as pairs of their own.
    constexpr char32_t kDottedCapitalI = 0x130, kDotlessI = 0x131;
    if ((upper == kDottedCapitalI && (lower == 'i' || lower == kDotlessI)) ||
        (upper == 'I' && lower == kDotlessI))
        return true;
    return QChar::toLower(upper) == lower || QChar::toUpper(lower) == upper;
}

// A code page a detector named or that is tried, with the weight the detectors gave it.
struct Candidate
{
    std::string codePage;
    double support = 0;
};

bool canOpen(const std::string& codePage)
{
    const iconv_t cd = iconv_open("UTF-8", codePage.c_str());
    if (cd == iconv_t(-1))
        return false;
    iconv_close(cd);
    return true;
}

// The code pages a detector's answer stands for, the one subtitle files are usually written in
// first: the detectors often name the ISO sibling of a Windows code page, which decodes the same
// letters but not the quotation marks and dashes of 0x80-0x9F.
std::vector<std::string> namesFor(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    if (name.empty() || name == "ASCII" || name == "UTF-8" || name.rfind("UTF-", 0) == 0 ||
        name.rfind("IBM42", 0) == 0)
        return {};
    struct Family
    {
        const char* names[3];
        const char* preferred[2];
    };
    static const Family kFamilies[] = {
        {{"ISO-8859-1", "ISO-8859-15", "WINDOWS-1252"}, {"WINDOWS-1252", nullptr}},
        {{"ISO-8859-2", nullptr, nullptr}, {"WINDOWS-1250", "ISO-8859-2"}},
        {{"ISO-8859-7", nullptr, nullptr}, {"WINDOWS-1253", "ISO-8859-7"}},
        {{"ISO-8859-8", "ISO-8859-8-I", nullptr}, {"WINDOWS-1255", "ISO-8859-8"}},
        {{"ISO-8859-6", nullptr, nullptr}, {"WINDOWS-1256", "ISO-8859-6"}},
        {{"ISO-8859-9", nullptr, nullptr}, {"WINDOWS-1254", "ISO-8859-9"}},
        {{"ISO-8859-13", "ISO-8859-4", nullptr}, {"WINDOWS-1257", nullptr}},
        {{"TIS-620", "ISO-8859-11", nullptr}, {"CP874", nullptr}},
        {{"UHC", "EUC-KR", "CP949"}, {"CP949", nullptr}},
        {{"GB18030", "GBK", "GB2312"}, {"GB2312", "GB18030"}},
    };
    for (const Family& family : kFamilies) {
        for (const char* member : family.names) {
            if (member && name == member) {
                std::vector<std::string> names;
                for (const char* preferred : family.preferred)
                    if (preferred)
                        names.emplace_back(preferred);
                if (std::find(names.begin(), names.end(), name) == names.end())
                    names.push_back(name);
                return names;
            }
        }
    }
    if (canOpen(name))
        return {name};
    return {};
}

// The code pages subtitles in a language are usually written in.
std::vector<std::string> pagesForLanguage(const std::string& code)
{
    struct Usual
    {
        const char* codes;
        const char* pages[2];
    };
    static const Usual kUsual[] = {
        {"el", {"WINDOWS-1253", nullptr}},
        {"ru uk be bg sr mk", {"WINDOWS-1251", nullptr}},
        {"pl cs sk hu hr sl ro bs sq", {"WINDOWS-1250", nullptr}},
        {"tr az", {"WINDOWS-1254", nullptr}},
        {"he yi iw ji", {"WINDOWS-1255", nullptr}}, // and the list's older codes
        {"ar fa ur", {"WINDOWS-1256", nullptr}},
        {"lt lv et", {"WINDOWS-1257", nullptr}},
        {"vi", {"WINDOWS-1258", nullptr}},
        {"th", {"CP874", nullptr}},
        {"zh", {"GB2312", "BIG5"}},
        {"ja", {"SHIFT_JIS", "CP932"}},
        {"ko", {"CP949", nullptr}},
    };
    if (code.size() != 2)
        return {};
    for (const Usual& usual : kUsual) {
        const std::string codes = usual.codes;
        for (std::size_t at = 0; at + 2 <= codes.size(); at += 3) {
            if (codes.compare(at, 2, code) == 0) {
                std::vector<std::string> pages;
                for (const char* page : usual.pages)
                    if (page)
                        pages.emplace_back(page);
                return pages;
            }
        }
    }
    return {};
}

// The languages written in the Western code page (WINDOWS-1252, or ISO-8859-15 with the euro).
bool westernLanguage(const std::string& code)
{
    static constexpr const char* kWestern[] = {"af", "br", "ca", "cy", "da", "de", "en", "es",
                                               "eu", "fi", "fo", "fr", "ga", "gd", "gl", "id",
                                               "is", "it", "la", "lb", "ms", "nb", "nl", "nn",
                                               "no", "oc", "pt", "rm", "sv", "sw", "wa"};
    return std::find(std::begin(kWestern), std::end(kWestern), code) != std::end(kWestern);
}

// Every code page tried, whatever the detectors name. ISO-8859-15 differs from the Western
// code page in the euro sign and a few letters; CP932 is the Windows form of Shift-JIS, with
// the circled numbers and signs that Japanese files often hold.
constexpr const char* kEveryPage[] = {
    "WINDOWS-1252", "ISO-8859-15",  "WINDOWS-1250", "WINDOWS-1251", "WINDOWS-1253", "WINDOWS-1254",
    "WINDOWS-1255", "WINDOWS-1256", "WINDOWS-1257", "WINDOWS-1258", "CP874",        "KOI8-R",
    "SHIFT_JIS",    "CP932",        "GB2312",       "GB18030",      "BIG5",         "CP949"};

// The lines of the text that hold bytes past ASCII, up to a size that keeps the trial of every
// candidate quick on a long film: only they tell code pages apart.
std::string sampleOf(const std::string& text)
{
    constexpr std::size_t kSampleSize = 32 * 1024;
    std::string sample;
    std::size_t start = 0;
    while (start < text.size() && sample.size() < kSampleSize) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const bool wide =
            std::any_of(text.begin() + std::ptrdiff_t(start), text.begin() + std::ptrdiff_t(end),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
        if (wide)
            sample.append(text, start, end - start + 1);
        start = end + 1;
    }
    return sample;
}

std::string uchardetAnswer(const std::string& text)
{
    uchardet_t detector = uchardet_new();
    std::string found;
    if (uchardet_handle_data(detector, text.data(), text.size()) == 0) {
        uchardet_data_end(detector);
        found = uchardet_get_charset(detector);
    }
    uchardet_delete(detector);
    return found;
}

// ICU's answers with their confidence (0-100), best first; answers below 20 are noise.
std::vector<std::pair<std::string, int>> icuAnswers(const std::string& sample)
{
    std::vector<std::pair<std::string, int>> answers;
    UErrorCode status = U_ZERO_ERROR;
    UCharsetDetector* detector = ucsdet_open(&status);
    if (U_FAILURE(status))
        return answers;
    ucsdet_setText(detector, sample.data(), int32_t(sample.size()), &status);
    int32_t found = 0;
    const UCharsetMatch** matches = ucsdet_detectAll(detector, &found, &status);
    for (int32_t i = 0; U_SUCCESS(status) && i < found; ++i) {
        UErrorCode itemStatus = U_ZERO_ERROR;
        const char* name = ucsdet_getName(matches[i], &itemStatus);
        const int confidence = ucsdet_getConfidence(matches[i], &itemStatus);
        if (U_SUCCESS(itemStatus) && name && confidence >= 20)
            answers.emplace_back(name, confidence);
    }
    ucsdet_close(detector);
    return answers;
}

} // namespace

std::string LanguageCodeOf(const QString& languageText)
{
    const QString code = languageText.trimmed().section(QLatin1Char(' '), 0, 0).toLower();
    if (code.size() != 2 || !code.at(0).isLetter() || !code.at(1).isLetter())
        return {};
    return code.toStdString();
}

namespace {

constexpr int kWordyLetters = 6;

// What a trial reading found: how implausible it is and how many letter-table pairs it holds.
struct ReadingFindings
{
    double implausibility = 0;
    int casePairs = 0;
    // Enough words for the language identifier to go by: it names a language for any text in
    // a script of one language (Greek, Thai), even for a list of letters or for gibberish.
    bool wordy = false;
};

ReadingFindings readingFindings(const QString& decoded)
{
    std::vector<char32_t> chars;
    chars.reserve(std::size_t(decoded.size()));
    for (const char32_t c : QStringView(decoded).toUcs4())
        chars.push_back(c);

    Findings found;
    WordCounts word;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char32_t c = chars[i];
        const char32_t before = i > 0 ? chars[i - 1] : 0;
        const char32_t after = i + 1 < chars.size() ? chars[i + 1] : 0;
        if (isWordPart(c)) {
            if (QChar::isLetter(c)) {
                if (startsCasePair(chars, i)) {
                    word.casePair = true;
                    ++found.casePairs;
                }
                countLetter(c, after, word, found);
            } else if (!isWordPart(before)) {
                // A combining mark with no letter to sit on: Hebrew letters read as Thai.
                ++found.odd;
            }
            continue;
        }
        closeWord(word, found);
        countBetweenWords(before, c, after, found);
    }
    closeWord(word, found);
    // Languages in Latin letters write most of them without accents; text in which most are
    // accented is another script read in a Western code page.
    const double accentedExcess = std::max(0.0, found.latinAccented - 0.3 * found.latinLetters);
    // Greek in lower case carries an accent on nearly every longer word; letters of another
    // script read as Greek carry none.
    const double unaccentedExcess =
        std::max(0.0, found.unaccentedGreekWords - 0.5 * found.greekWords);
    return {3.0 * found.bad + 2.0 * found.mixed + 2.0 * found.odd + found.rare + accentedExcess +
                unaccentedExcess,
            found.casePairs, found.longWordLetters >= kWordyLetters};
}

// The characters of `bytes` that `codePage` holds only past its common core: the rare Chinese
// characters of GBK and GB18030 and the rare Hangul syllables of CP949 (both with a lead or a
// trail byte below 0xA1), the less frequent characters of Big5. Real text seldom holds them;
// Japanese bytes read as Chinese or Korean, and simplified Chinese read as Big5, are made of them.
int rareDoubleBytes(const std::string& bytes, const std::string& codePage)
{
    const bool big5 = codePage == "BIG5";
    if (!big5 && codePage != "GBK" && codePage != "GB18030" && codePage != "CP949" &&
        codePage != "UHC")
        return 0;
    int rare = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x81 || lead == 0xFF)
            continue;
        const auto trail = static_cast<unsigned char>(bytes[i + 1]);
        // Big5 keeps its less frequent characters from lead byte 0xC9 on.
        rare += (big5 ? lead >= 0xC9 : lead < 0xA1 || trail < 0xA1) ? 1 : 0;
        ++i; // the pair is one character
    }
    return rare;
}

// The code pages subtitles in `languageCode` are usually written in, the usual one first; the
// Western languages share theirs.
std::vector<std::string> usualPages(const std::string& languageCode)
{
    std::vector<std::string> pages = pagesForLanguage(languageCode);
    if (pages.empty() && westernLanguage(languageCode))
        pages = {"WINDOWS-1252", "ISO-8859-15"};
    return pages;
}

// Languages the identifier names from their script alone: any text in Greek, Thai, Hebrew or
// Hangul letters is named so, gibberish too.
bool namedByScript(const std::string& languageCode)
{
    return languageCode == "el" || languageCode == "th" || languageCode == "he" ||
           languageCode == "yi" || languageCode == "ko";
}

// True when `codePage` is one that text in `languageCode` is written in.
bool isUsualPage(const std::string& codePage, const std::string& languageCode)
{
    const std::vector<std::string> pages = usualPages(languageCode);
    return std::find(pages.begin(), pages.end(), codePage) != pages.end();
}

// How much the trial of each candidate weighs. A pair of a letter table read as one letter's
// two cases counts for one; a text the language identifier reliably names, in a code page that
// language is written in, for three. One reading is a finding only when it leads every other
// reading of different text by more than kClearly; within that, a language the user gave
// decides.
constexpr double kCasePairWeight = 1.0;
constexpr double kKnownLanguageWeight = 3.0;
constexpr double kClearly = 1.5;

} // namespace

double Implausibility(const QString& decoded)
{
    return readingFindings(decoded).implausibility;
}

CodePageGuess GuessCodePage(const std::string& text, const std::string& languageCode)
{
    const std::string sample = sampleOf(text);
    std::vector<Candidate> candidates;
    auto support = [&](const std::string& codePage, double weight) {
        auto found = std::find_if(candidates.begin(), candidates.end(),
                                  [&](const Candidate& c) { return c.codePage == codePage; });
        if (found == candidates.end())
            candidates.push_back({codePage, weight});
        else
            found->support += weight;
    };
    // The detectors are often wrong on a short text: what they say only tips a balance that the
    // trial readings leave even.
    for (const std::string& name : namesFor(uchardetAnswer(text)))
        support(name, 0.5);
    for (const auto& [name, confidence] : icuAnswers(sample))
        for (const std::string& page : namesFor(name))
            support(page, confidence / 200.0);
    const std::vector<std::string> hinted = usualPages(languageCode);
    for (const std::string& page : hinted)
        support(page, 0.0);
    for (const char* page : kEveryPage)
        support(page, 0.0);

    struct Trial
    {
        const Candidate* candidate;
        std::string decoded;
        double score;
    };
    std::vector<Trial> trials;
    for (const Candidate& candidate : candidates) {
        if (!canOpen(candidate.codePage))
            continue;
        std::string decoded = ToUtf8(sample, candidate.codePage);
        const ReadingFindings findings = readingFindings(QString::fromStdString(decoded));
        double score = candidate.support - findings.implausibility -
                       rareDoubleBytes(sample, candidate.codePage) +
                       kCasePairWeight * findings.casePairs;
        // Text that reads as a language written in this code page: the strongest sign there is.
        const std::string language = IdentifyTextLanguage(decoded);
        // A language told by its script alone counts only for a reading with nothing against it;
        // any reading in Chinese characters, gibberish too, looks Chinese to the identifier.
        if (findings.wordy && !language.empty() && language.rfind("zh", 0) != 0 &&
            isUsualPage(candidate.codePage, language) &&
            (!namedByScript(language) || findings.implausibility == 0))
            score += kKnownLanguageWeight;
        trials.push_back({&candidate, std::move(decoded), score});
    }
    // The best score wins; among equals the earlier candidate.
    const auto best =
        std::max_element(trials.begin(), trials.end(),
                         [](const Trial& a, const Trial& b) { return a.score < b.score; });
    if (best == trials.end())
        return {};
    // The language the user gave decides among the readings the bytes leave open: its usual
    // code page wins unless another reading is clearly better.
    const Trial* ofLanguage = nullptr;
    for (const std::string& page : hinted) {
        for (const Trial& trial : trials) {
            if (trial.candidate->codePage == page &&
                (!ofLanguage || trial.score > ofLanguage->score))
                ofLanguage = &trial;
        }
    }
    if (ofLanguage && best->score - ofLanguage->score <= kClearly)
        return {ofLanguage->candidate->codePage};
    // Without it, a reading is a finding only when it is clearly better than every reading of
    // the text that differs from it.
    for (const Trial& other : trials) {
        if (&other != &*best && other.decoded != best->decoded &&
            best->score - other.score <= kClearly)
            return {};
    }
    return {best->candidate->codePage};
}

} // namespace lumelle
