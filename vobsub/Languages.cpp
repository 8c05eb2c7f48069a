#include "vobsub/Languages.h"

#include "platform/EditDistance.h"

#include <algorithm>
#include <limits>

namespace lumelle {

namespace {

// A language of the window's list, with the codes it is known by.
struct Language
{
    const char* listCode; // the two letters the list shows before the name
    const char* name;     // the name as the list shows it
    const char* tail;     // two capitals the list shows after a tab, or empty
    // ISO 639-1, the two letters an index holds; the list's own code for a language without
    // one of its own (Moldavian's was withdrawn, Scots and Serbo-Croatian have none).
    const char* iso1;
    // ISO 639-2: the bibliographic form ("fre", "ger") that BDN's language attribute takes,
    // empty for a language without one; the terminology form ("fra", "deu") where it differs.
    const char* bibliographic;
    const char* terminology;
};

// In the list's order. Three names carry a tab and two capitals after them, as the index file
// has them.
constexpr Language kLanguages[] = {
    {"ab", "ABKHAZIAN", "", "ab", "abk", ""},
    {"om", "AFAN (OROMO)", "", "om", "orm", ""},
    {"aa", "AFAR", "AA", "aa", "aar", ""},
    {"af", "AFRIKAANS", "", "af", "afr", ""},
    {"sq", "ALBANIAN", "", "sq", "alb", "sqi"},
    {"am", "AMHARIC", "", "am", "amh", ""},
    {"ar", "ARABIC", "", "ar", "ara", ""},
    {"hy", "ARMENIAN", "", "hy", "arm", "hye"},
    {"as", "ASSAMESE", "", "as", "asm", ""},
    {"ay", "AYMARA", "", "ay", "aym", ""},
    {"az", "AZERBAIJANI", "", "az", "aze", ""},
    {"ba", "BASHKIR", "", "ba", "bak", ""},
    {"eu", "BASQUE", "", "eu", "baq", "eus"},
    {"bn", "BENGALI,BANGLA", "", "bn", "ben", ""},
    {"bz", "BHUTANI", "", "dz", "dzo", ""},
    {"bh", "BIHARI", "", "bh", "bih", ""},
    {"bi", "BISLAMA", "", "bi", "bis", ""},
    {"br", "BRETON", "", "br", "bre", ""},
    {"bg", "BULGARIAN", "", "bg", "bul", ""},
    {"my", "BURMESE", "", "my", "bur", "mya"},
    {"be", "BYELORUSSIAN", "", "be", "bel", ""},
    {"km", "CAMBODIAN", "", "km", "khm", ""},
    {"ca", "CATALAN", "", "ca", "cat", ""},
    {"zh", "CHINESE", "", "zh", "chi", "zho"},
    {"co", "CORSICAN", "", "co", "cos", ""},
    {"hr", "CROATIAN", "", "hr", "hrv", ""},
    {"cs", "CZECH", "", "cs", "cze", "ces"},
    {"da", "DANISH", "", "da", "dan", ""},
    {"nl", "DUTCH", "", "nl", "dut", "nld"},
    {"en", "ENGLISH", "", "en", "eng", ""},
    {"eo", "ESPERANTO", "", "eo", "epo", ""},
    {"et", "ESTONIAN", "", "et", "est", ""},
    {"fo", "FAROESE", "", "fo", "fao", ""},
    {"fj", "FIJI", "FJ", "fj", "fij", ""},
    {"fi", "FINNISH", "", "fi", "fin", ""},
    {"fr", "FRENCH", "", "fr", "fre", "fra"},
    {"fy", "FRISIAN", "", "fy", "fry", ""},
    {"mk", "FUROM", "", "mk", "mac", "mkd"},
    {"gl", "GALICIAN", "", "gl", "glg", ""},
    {"ka", "GEORGIAN", "", "ka", "geo", "kat"},
    {"de", "GERMAN", "", "de", "ger", "deu"},
    {"el", "GREEK", "", "el", "gre", "ell"},
    {"kl", "GREENLANDIC", "", "kl", "kal", ""},
    {"gn", "GUARANI", "", "gn", "grn", ""},
    {"gu", "GUJARATI", "", "gu", "guj", ""},
    {"ha", "HAUSA", "", "ha", "hau", ""},
    {"iw", "HEBREW", "", "he", "heb", ""},
    {"hi", "HINDI", "", "hi", "hin", ""},
    {"hu", "HUNGARIAN", "", "hu", "hun", ""},
    {"is", "ICELANDIC", "", "is", "ice", "isl"},
    {"in", "INDONESIAN", "", "id", "ind", ""},
    {"ia", "INTERLINGUA", "", "ia", "ina", ""},
    {"ie", "INTERLINGUE", "", "ie", "ile", ""},
    {"ik", "INUPIAK", "", "ik", "ipk", ""},
    {"ga", "IRISH", "", "ga", "gle", ""},
    {"it", "ITALIAN", "", "it", "ita", ""},
    {"ja", "JAPANESE", "", "ja", "jpn", ""},
    {"jv", "JAVANESE", "", "jv", "jav", ""},
    {"kn", "KANNADA", "", "kn", "kan", ""},
    {"ks", "KASHMIRI", "", "ks", "kas", ""},
    {"kk", "KAZAKH", "", "kk", "kaz", ""},
    {"rw", "KINYARWANDA", "", "rw", "kin", ""},
    {"ky", "KIRGHIZ", "", "ky", "kir", ""},
    {"rn", "KURUNDI", "", "rn", "run", ""},
    {"ko", "KOREAN", "", "ko", "kor", ""},
    {"ku", "KURDISH", "", "ku", "kur", ""},
    {"lo", "LAOTHIAN", "", "lo", "lao", ""},
    {"la", "LATIN", "", "la", "lat", ""},
    {"lv", "LATVIAN,LETTISH", "", "lv", "lav", ""},
    {"ln", "LINGALA", "", "ln", "lin", ""},
    {"lt", "LITHUANIAN", "", "lt", "lit", ""},
    {"mg", "MALAGASY", "", "mg", "mlg", ""},
    {"ms", "MS", "", "ms", "may", "msa"},
    {"ml", "MALAYALAM", "", "ml", "mal", ""},
    {"mt", "MALTESE", "", "mt", "mlt", ""},
    {"mi", "MAORI", "", "mi", "mao", "mri"},
    {"mr", "MARATHI", "", "mr", "mar", ""},
    {"mo", "MOLDAVIAN", "", "mo", "mol", ""},
    {"mn", "MONGOLIAN", "", "mn", "mon", ""},
    {"na", "NAURU", "", "na", "nau", ""},
    {"ne", "NEPALI", "", "ne", "nep", ""},
    {"no", "NORWEGIAN", "", "no", "nor", ""},
    {"oc", "OCCITAN", "", "oc", "oci", ""},
    {"or", "ORIYA", "", "or", "ori", ""},
    {"ps", "PASHTO,PUSHTO", "", "ps", "pus", ""},
    {"fa", "PERSIAN (farsi)", "", "fa", "per", "fas"},
    {"pl", "POLISH", "", "pl", "pol", ""},
    {"pt", "PORTUGUESE", "", "pt", "por", ""},
    {"pa", "PUNJABI", "", "pa", "pan", ""},
    {"qu", "QUECHUA", "", "qu", "que", ""},
    {"rm", "RHAETO-ROMANCE", "", "rm", "roh", ""},
    {"ro", "ROMANIAN", "", "ro", "rum", "ron"},
    {"ru", "RUSSIAN", "", "ru", "rus", ""},
    {"sm", "SAMOAN", "", "sm", "smo", ""},
    {"sg", "SANGHO", "", "sg", "sag", ""},
    {"sa", "SANSKRIT", "", "sa", "san", ""},
    {"gb", "SCOTS", "", "gb", "", ""},
    {"sr", "SERBIAN", "", "sr", "srp", ""},
    {"sh", "SERBO-CROATIAN", "", "sh", "", ""},
    {"st", "SESOTHO", "", "st", "sot", ""},
    {"tn", "SETSWANA", "", "tn", "tsn", ""},
    {"sn", "SHONA", "", "sn", "sna", ""},
    {"sd", "SINDHI", "", "sd", "snd", ""},
    {"si", "SINGHALESE", "", "si", "sin", ""},
    {"ss", "SISWATI", "", "ss", "ssw", ""},
    {"sk", "SLOVAK", "", "sk", "slo", "slk"},
    {"sl", "SLOVENIAN", "", "sl", "slv", ""},
    {"so", "SOMALI", "", "so", "som", ""},
    {"es", "SPANISH", "", "es", "spa", ""},
    {"su", "SUNDANESE", "", "su", "sun", ""},
    {"sw", "SWAHILI", "", "sw", "swa", ""},
    {"sv", "SWEDISH", "", "sv", "swe", ""},
    {"tl", "TAGALOG", "", "tl", "tgl", ""},
    {"tg", "TAJIK", "", "tg", "tgk", ""},
    {"ta", "TAMIL", "", "ta", "tam", ""},
    {"tt", "TATAR", "", "tt", "tat", ""},
    {"te", "TELUGU", "", "te", "tel", ""},
    {"th", "THAI", "TH", "th", "tha", ""},
    {"bo", "TIBETAN", "", "bo", "tib", "bod"},
    {"ti", "TIGRINYA", "", "ti", "tir", ""},
    {"to", "TONGA", "", "to", "ton", ""},
    {"ts", "TSONGA", "", "ts", "tso", ""},
    {"tr", "TURKISH", "", "tr", "tur", ""},
    {"tk", "TURKMEN", "", "tk", "tuk", ""},
    {"tw", "TWI", "", "tw", "twi", ""},
    {"uk", "UKRAINIAN", "", "uk", "ukr", ""},
    {"ur", "URDU", "", "ur", "urd", ""},
    {"uz", "UZBEK", "", "uz", "uzb", ""},
    {"vi", "VIETNAMESE", "", "vi", "vie", ""},
    {"vo", "VOLAPUK", "", "vo", "vol", ""},
    {"cy", "WELSH", "", "cy", "wel", "cym"},
    {"wo", "WOLOF", "", "wo", "wol", ""},
    {"xh", "XHOSA", "", "xh", "xho", ""},
    {"yi", "YIDDISH", "", "yi", "yid", ""},
    {"yo", "YORUBA", "", "yo", "yor", ""},
    {"zu", "ZULU", "", "zu", "zul", ""},
};

// The ISO 639-1 codes of languages the list lacks: taken as they are, with no name and no
// three-letter code.
constexpr const char* kUnlistedIso639Part1[] = {
    "ae", "ak", "an", "av", "bm", "bs", "ce", "ch", "cr", "cu", "cv", "dv", "ee",
    "ff", "gd", "gv", "ho", "ht", "hz", "ig", "ii", "io", "iu", "kg", "ki", "kj",
    "kr", "kv", "kw", "lb", "lg", "li", "lu", "mh", "nb", "nd", "ng", "nn", "nr",
    "nv", "ny", "oj", "os", "pi", "sc", "se", "ty", "ug", "ve", "wa", "za"};

// True when `code` is `known`, a column that may be empty.
bool is(const QString& code, const char* known)
{
    return *known && code == QLatin1String(known);
}

// The first language of the list that `match` accepts; null for none.
template <typename Match> const Language* findLanguage(Match match)
{
    const auto found = std::find_if(std::begin(kLanguages), std::end(kLanguages), match);
    return found == std::end(kLanguages) ? nullptr : found;
}

// Every code IndexLanguageCode takes, for the nearest-code search.
const QStringList& acceptedCodes()
{
    static const QStringList codes = [] {
        QStringList all;
        for (const char* code : kUnlistedIso639Part1)
            all << QLatin1String(code);
        for (const Language& l : kLanguages) {
            for (const char* code : {l.listCode, l.iso1, l.bibliographic, l.terminology}) {
                if (*code)
                    all << QLatin1String(code);
            }
        }
        all.removeDuplicates();
        all.sort();
        return all;
    }();
    return codes;
}

} // namespace

const QStringList& VobsubLanguageNames()
{
    static const QStringList names = [] {
        QStringList all;
        for (const Language& l : kLanguages) {
            QString entry = QLatin1String(l.listCode) + QLatin1Char(' ') + QLatin1String(l.name);
            if (*l.tail)
                entry += QLatin1Char('\t') + QLatin1String(l.tail);
            all << entry;
        }
        return all;
    }();
    return names;
}

QString IndexLanguageCode(const QString& code)
{
    const QString c = code.toLower();
    if (c.size() == 2) {
        const bool unlisted =
            std::any_of(std::begin(kUnlistedIso639Part1), std::end(kUnlistedIso639Part1),
                        [&](const char* known) { return is(c, known); });
        const bool listed =
            findLanguage([&](const Language& l) { return is(c, l.listCode) || is(c, l.iso1); });
        return unlisted || listed ? c : QString();
    }
    if (c.size() == 3) {
        if (const Language* language = findLanguage(
                [&](const Language& l) { return is(c, l.bibliographic) || is(c, l.terminology); }))
            return QLatin1String(language->iso1);
    }
    return QString();
}

QString ThreeLetterLanguageCode(const QString& indexCode)
{
    // The list's code ("iw") or the current one ("he").
    const Language* language = findLanguage(
        [&](const Language& l) { return is(indexCode, l.listCode) || is(indexCode, l.iso1); });
    return language && *language->bibliographic ? QString(QLatin1String(language->bibliographic))
                                                : QStringLiteral("und");
}

QStringList NearestLanguageCodes(const QString& code, int count)
{
    const QString c = code.toLower();
    int best = std::numeric_limits<int>::max();
    QStringList nearest;
    for (const QString& candidate : acceptedCodes()) {
        const int d = EditDistance(c, candidate);
        if (d < best) {
            best = d;
            nearest.clear();
        }
        if (d == best && nearest.size() < count)
            nearest << candidate;
    }
    return nearest;
}

QString LanguageName(const QString& indexCode)
{
    // An ISO 639-1 code first: "he" names the list's "iw".
    const Language* language =
        findLanguage([&](const Language& l) { return is(indexCode, l.iso1); });
    if (!language)
        language = findLanguage([&](const Language& l) { return is(indexCode, l.listCode); });
    if (!language)
        return indexCode;
    // "GREEK" -> "Greek", "RHAETO-ROMANCE" -> "Rhaeto-Romance".
    QString titled = QString(QLatin1String(language->name)).toLower();
    for (qsizetype i = 0; i < titled.size(); ++i) {
        if (i == 0 || !titled[i - 1].isLetter())
            titled[i] = titled[i].toUpper();
    }
    return titled;
}

} // namespace lumelle
