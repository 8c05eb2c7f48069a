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
// has them. The names are marked for the window's catalogues: its lists show them in the
// user's language.
constexpr Language kLanguages[] = {
    {"ab", QT_TRANSLATE_NOOP("lumelle::Languages", "ABKHAZIAN"), "", "ab", "abk", ""},
    {"om", QT_TRANSLATE_NOOP("lumelle::Languages", "AFAN (OROMO)"), "", "om", "orm", ""},
    {"aa", QT_TRANSLATE_NOOP("lumelle::Languages", "AFAR"), "AA", "aa", "aar", ""},
    {"af", QT_TRANSLATE_NOOP("lumelle::Languages", "AFRIKAANS"), "", "af", "afr", ""},
    {"sq", QT_TRANSLATE_NOOP("lumelle::Languages", "ALBANIAN"), "", "sq", "alb", "sqi"},
    {"am", QT_TRANSLATE_NOOP("lumelle::Languages", "AMHARIC"), "", "am", "amh", ""},
    {"ar", QT_TRANSLATE_NOOP("lumelle::Languages", "ARABIC"), "", "ar", "ara", ""},
    {"hy", QT_TRANSLATE_NOOP("lumelle::Languages", "ARMENIAN"), "", "hy", "arm", "hye"},
    {"as", QT_TRANSLATE_NOOP("lumelle::Languages", "ASSAMESE"), "", "as", "asm", ""},
    {"ay", QT_TRANSLATE_NOOP("lumelle::Languages", "AYMARA"), "", "ay", "aym", ""},
    {"az", QT_TRANSLATE_NOOP("lumelle::Languages", "AZERBAIJANI"), "", "az", "aze", ""},
    {"ba", QT_TRANSLATE_NOOP("lumelle::Languages", "BASHKIR"), "", "ba", "bak", ""},
    {"eu", QT_TRANSLATE_NOOP("lumelle::Languages", "BASQUE"), "", "eu", "baq", "eus"},
    {"bn", QT_TRANSLATE_NOOP("lumelle::Languages", "BENGALI,BANGLA"), "", "bn", "ben", ""},
    {"bz", QT_TRANSLATE_NOOP("lumelle::Languages", "BHUTANI"), "", "dz", "dzo", ""},
    {"bh", QT_TRANSLATE_NOOP("lumelle::Languages", "BIHARI"), "", "bh", "bih", ""},
    {"bi", QT_TRANSLATE_NOOP("lumelle::Languages", "BISLAMA"), "", "bi", "bis", ""},
    {"br", QT_TRANSLATE_NOOP("lumelle::Languages", "BRETON"), "", "br", "bre", ""},
    {"bg", QT_TRANSLATE_NOOP("lumelle::Languages", "BULGARIAN"), "", "bg", "bul", ""},
    {"my", QT_TRANSLATE_NOOP("lumelle::Languages", "BURMESE"), "", "my", "bur", "mya"},
    {"be", QT_TRANSLATE_NOOP("lumelle::Languages", "BYELORUSSIAN"), "", "be", "bel", ""},
    {"km", QT_TRANSLATE_NOOP("lumelle::Languages", "CAMBODIAN"), "", "km", "khm", ""},
    {"ca", QT_TRANSLATE_NOOP("lumelle::Languages", "CATALAN"), "", "ca", "cat", ""},
    {"zh", QT_TRANSLATE_NOOP("lumelle::Languages", "CHINESE"), "", "zh", "chi", "zho"},
    {"co", QT_TRANSLATE_NOOP("lumelle::Languages", "CORSICAN"), "", "co", "cos", ""},
    {"hr", QT_TRANSLATE_NOOP("lumelle::Languages", "CROATIAN"), "", "hr", "hrv", ""},
    {"cs", QT_TRANSLATE_NOOP("lumelle::Languages", "CZECH"), "", "cs", "cze", "ces"},
    {"da", QT_TRANSLATE_NOOP("lumelle::Languages", "DANISH"), "", "da", "dan", ""},
    {"nl", QT_TRANSLATE_NOOP("lumelle::Languages", "DUTCH"), "", "nl", "dut", "nld"},
    {"en", QT_TRANSLATE_NOOP("lumelle::Languages", "ENGLISH"), "", "en", "eng", ""},
    {"eo", QT_TRANSLATE_NOOP("lumelle::Languages", "ESPERANTO"), "", "eo", "epo", ""},
    {"et", QT_TRANSLATE_NOOP("lumelle::Languages", "ESTONIAN"), "", "et", "est", ""},
    {"fo", QT_TRANSLATE_NOOP("lumelle::Languages", "FAROESE"), "", "fo", "fao", ""},
    {"fj", QT_TRANSLATE_NOOP("lumelle::Languages", "FIJI"), "FJ", "fj", "fij", ""},
    {"fi", QT_TRANSLATE_NOOP("lumelle::Languages", "FINNISH"), "", "fi", "fin", ""},
    {"fr", QT_TRANSLATE_NOOP("lumelle::Languages", "FRENCH"), "", "fr", "fre", "fra"},
    {"fy", QT_TRANSLATE_NOOP("lumelle::Languages", "FRISIAN"), "", "fy", "fry", ""},
    {"mk", QT_TRANSLATE_NOOP("lumelle::Languages", "FUROM"), "", "mk", "mac", "mkd"},
    {"gl", QT_TRANSLATE_NOOP("lumelle::Languages", "GALICIAN"), "", "gl", "glg", ""},
    {"ka", QT_TRANSLATE_NOOP("lumelle::Languages", "GEORGIAN"), "", "ka", "geo", "kat"},
    {"de", QT_TRANSLATE_NOOP("lumelle::Languages", "GERMAN"), "", "de", "ger", "deu"},
    {"el", QT_TRANSLATE_NOOP("lumelle::Languages", "GREEK"), "", "el", "gre", "ell"},
    {"kl", QT_TRANSLATE_NOOP("lumelle::Languages", "GREENLANDIC"), "", "kl", "kal", ""},
    {"gn", QT_TRANSLATE_NOOP("lumelle::Languages", "GUARANI"), "", "gn", "grn", ""},
    {"gu", QT_TRANSLATE_NOOP("lumelle::Languages", "GUJARATI"), "", "gu", "guj", ""},
    {"ha", QT_TRANSLATE_NOOP("lumelle::Languages", "HAUSA"), "", "ha", "hau", ""},
    {"iw", QT_TRANSLATE_NOOP("lumelle::Languages", "HEBREW"), "", "he", "heb", ""},
    {"hi", QT_TRANSLATE_NOOP("lumelle::Languages", "HINDI"), "", "hi", "hin", ""},
    {"hu", QT_TRANSLATE_NOOP("lumelle::Languages", "HUNGARIAN"), "", "hu", "hun", ""},
    {"is", QT_TRANSLATE_NOOP("lumelle::Languages", "ICELANDIC"), "", "is", "ice", "isl"},
    {"in", QT_TRANSLATE_NOOP("lumelle::Languages", "INDONESIAN"), "", "id", "ind", ""},
    {"ia", QT_TRANSLATE_NOOP("lumelle::Languages", "INTERLINGUA"), "", "ia", "ina", ""},
    {"ie", QT_TRANSLATE_NOOP("lumelle::Languages", "INTERLINGUE"), "", "ie", "ile", ""},
    {"ik", QT_TRANSLATE_NOOP("lumelle::Languages", "INUPIAK"), "", "ik", "ipk", ""},
    {"ga", QT_TRANSLATE_NOOP("lumelle::Languages", "IRISH"), "", "ga", "gle", ""},
    {"it", QT_TRANSLATE_NOOP("lumelle::Languages", "ITALIAN"), "", "it", "ita", ""},
    {"ja", QT_TRANSLATE_NOOP("lumelle::Languages", "JAPANESE"), "", "ja", "jpn", ""},
    {"jv", QT_TRANSLATE_NOOP("lumelle::Languages", "JAVANESE"), "", "jv", "jav", ""},
    {"kn", QT_TRANSLATE_NOOP("lumelle::Languages", "KANNADA"), "", "kn", "kan", ""},
    {"ks", QT_TRANSLATE_NOOP("lumelle::Languages", "KASHMIRI"), "", "ks", "kas", ""},
    {"kk", QT_TRANSLATE_NOOP("lumelle::Languages", "KAZAKH"), "", "kk", "kaz", ""},
    {"rw", QT_TRANSLATE_NOOP("lumelle::Languages", "KINYARWANDA"), "", "rw", "kin", ""},
    {"ky", QT_TRANSLATE_NOOP("lumelle::Languages", "KIRGHIZ"), "", "ky", "kir", ""},
    {"rn", QT_TRANSLATE_NOOP("lumelle::Languages", "KURUNDI"), "", "rn", "run", ""},
    {"ko", QT_TRANSLATE_NOOP("lumelle::Languages", "KOREAN"), "", "ko", "kor", ""},
    {"ku", QT_TRANSLATE_NOOP("lumelle::Languages", "KURDISH"), "", "ku", "kur", ""},
    {"lo", QT_TRANSLATE_NOOP("lumelle::Languages", "LAOTHIAN"), "", "lo", "lao", ""},
    {"la", QT_TRANSLATE_NOOP("lumelle::Languages", "LATIN"), "", "la", "lat", ""},
    {"lv", QT_TRANSLATE_NOOP("lumelle::Languages", "LATVIAN,LETTISH"), "", "lv", "lav", ""},
    {"ln", QT_TRANSLATE_NOOP("lumelle::Languages", "LINGALA"), "", "ln", "lin", ""},
    {"lt", QT_TRANSLATE_NOOP("lumelle::Languages", "LITHUANIAN"), "", "lt", "lit", ""},
    {"mg", QT_TRANSLATE_NOOP("lumelle::Languages", "MALAGASY"), "", "mg", "mlg", ""},
    {"ms", QT_TRANSLATE_NOOP("lumelle::Languages", "MS"), "", "ms", "may", "msa"},
    {"ml", QT_TRANSLATE_NOOP("lumelle::Languages", "MALAYALAM"), "", "ml", "mal", ""},
    {"mt", QT_TRANSLATE_NOOP("lumelle::Languages", "MALTESE"), "", "mt", "mlt", ""},
    {"mi", QT_TRANSLATE_NOOP("lumelle::Languages", "MAORI"), "", "mi", "mao", "mri"},
    {"mr", QT_TRANSLATE_NOOP("lumelle::Languages", "MARATHI"), "", "mr", "mar", ""},
    {"mo", QT_TRANSLATE_NOOP("lumelle::Languages", "MOLDAVIAN"), "", "mo", "mol", ""},
    {"mn", QT_TRANSLATE_NOOP("lumelle::Languages", "MONGOLIAN"), "", "mn", "mon", ""},
    {"na", QT_TRANSLATE_NOOP("lumelle::Languages", "NAURU"), "", "na", "nau", ""},
    {"ne", QT_TRANSLATE_NOOP("lumelle::Languages", "NEPALI"), "", "ne", "nep", ""},
    {"no", QT_TRANSLATE_NOOP("lumelle::Languages", "NORWEGIAN"), "", "no", "nor", ""},
    {"oc", QT_TRANSLATE_NOOP("lumelle::Languages", "OCCITAN"), "", "oc", "oci", ""},
    {"or", QT_TRANSLATE_NOOP("lumelle::Languages", "ORIYA"), "", "or", "ori", ""},
    {"ps", QT_TRANSLATE_NOOP("lumelle::Languages", "PASHTO,PUSHTO"), "", "ps", "pus", ""},
    {"fa", QT_TRANSLATE_NOOP("lumelle::Languages", "PERSIAN (farsi)"), "", "fa", "per", "fas"},
    {"pl", QT_TRANSLATE_NOOP("lumelle::Languages", "POLISH"), "", "pl", "pol", ""},
    {"pt", QT_TRANSLATE_NOOP("lumelle::Languages", "PORTUGUESE"), "", "pt", "por", ""},
    {"pa", QT_TRANSLATE_NOOP("lumelle::Languages", "PUNJABI"), "", "pa", "pan", ""},
    {"qu", QT_TRANSLATE_NOOP("lumelle::Languages", "QUECHUA"), "", "qu", "que", ""},
    {"rm", QT_TRANSLATE_NOOP("lumelle::Languages", "RHAETO-ROMANCE"), "", "rm", "roh", ""},
    {"ro", QT_TRANSLATE_NOOP("lumelle::Languages", "ROMANIAN"), "", "ro", "rum", "ron"},
    {"ru", QT_TRANSLATE_NOOP("lumelle::Languages", "RUSSIAN"), "", "ru", "rus", ""},
    {"sm", QT_TRANSLATE_NOOP("lumelle::Languages", "SAMOAN"), "", "sm", "smo", ""},
    {"sg", QT_TRANSLATE_NOOP("lumelle::Languages", "SANGHO"), "", "sg", "sag", ""},
    {"sa", QT_TRANSLATE_NOOP("lumelle::Languages", "SANSKRIT"), "", "sa", "san", ""},
    {"gb", QT_TRANSLATE_NOOP("lumelle::Languages", "SCOTS"), "", "gb", "", ""},
    {"sr", QT_TRANSLATE_NOOP("lumelle::Languages", "SERBIAN"), "", "sr", "srp", ""},
    {"sh", QT_TRANSLATE_NOOP("lumelle::Languages", "SERBO-CROATIAN"), "", "sh", "", ""},
    {"st", QT_TRANSLATE_NOOP("lumelle::Languages", "SESOTHO"), "", "st", "sot", ""},
    {"tn", QT_TRANSLATE_NOOP("lumelle::Languages", "SETSWANA"), "", "tn", "tsn", ""},
    {"sn", QT_TRANSLATE_NOOP("lumelle::Languages", "SHONA"), "", "sn", "sna", ""},
    {"sd", QT_TRANSLATE_NOOP("lumelle::Languages", "SINDHI"), "", "sd", "snd", ""},
    {"si", QT_TRANSLATE_NOOP("lumelle::Languages", "SINGHALESE"), "", "si", "sin", ""},
    {"ss", QT_TRANSLATE_NOOP("lumelle::Languages", "SISWATI"), "", "ss", "ssw", ""},
    {"sk", QT_TRANSLATE_NOOP("lumelle::Languages", "SLOVAK"), "", "sk", "slo", "slk"},
    {"sl", QT_TRANSLATE_NOOP("lumelle::Languages", "SLOVENIAN"), "", "sl", "slv", ""},
    {"so", QT_TRANSLATE_NOOP("lumelle::Languages", "SOMALI"), "", "so", "som", ""},
    {"es", QT_TRANSLATE_NOOP("lumelle::Languages", "SPANISH"), "", "es", "spa", ""},
    {"su", QT_TRANSLATE_NOOP("lumelle::Languages", "SUNDANESE"), "", "su", "sun", ""},
    {"sw", QT_TRANSLATE_NOOP("lumelle::Languages", "SWAHILI"), "", "sw", "swa", ""},
    {"sv", QT_TRANSLATE_NOOP("lumelle::Languages", "SWEDISH"), "", "sv", "swe", ""},
    {"tl", QT_TRANSLATE_NOOP("lumelle::Languages", "TAGALOG"), "", "tl", "tgl", ""},
    {"tg", QT_TRANSLATE_NOOP("lumelle::Languages", "TAJIK"), "", "tg", "tgk", ""},
    {"ta", QT_TRANSLATE_NOOP("lumelle::Languages", "TAMIL"), "", "ta", "tam", ""},
    {"tt", QT_TRANSLATE_NOOP("lumelle::Languages", "TATAR"), "", "tt", "tat", ""},
    {"te", QT_TRANSLATE_NOOP("lumelle::Languages", "TELUGU"), "", "te", "tel", ""},
    {"th", QT_TRANSLATE_NOOP("lumelle::Languages", "THAI"), "TH", "th", "tha", ""},
    {"bo", QT_TRANSLATE_NOOP("lumelle::Languages", "TIBETAN"), "", "bo", "tib", "bod"},
    {"ti", QT_TRANSLATE_NOOP("lumelle::Languages", "TIGRINYA"), "", "ti", "tir", ""},
    {"to", QT_TRANSLATE_NOOP("lumelle::Languages", "TONGA"), "", "to", "ton", ""},
    {"ts", QT_TRANSLATE_NOOP("lumelle::Languages", "TSONGA"), "", "ts", "tso", ""},
    {"tr", QT_TRANSLATE_NOOP("lumelle::Languages", "TURKISH"), "", "tr", "tur", ""},
    {"tk", QT_TRANSLATE_NOOP("lumelle::Languages", "TURKMEN"), "", "tk", "tuk", ""},
    {"tw", QT_TRANSLATE_NOOP("lumelle::Languages", "TWI"), "", "tw", "twi", ""},
    {"uk", QT_TRANSLATE_NOOP("lumelle::Languages", "UKRAINIAN"), "", "uk", "ukr", ""},
    {"ur", QT_TRANSLATE_NOOP("lumelle::Languages", "URDU"), "", "ur", "urd", ""},
    {"uz", QT_TRANSLATE_NOOP("lumelle::Languages", "UZBEK"), "", "uz", "uzb", ""},
    {"vi", QT_TRANSLATE_NOOP("lumelle::Languages", "VIETNAMESE"), "", "vi", "vie", ""},
    {"vo", QT_TRANSLATE_NOOP("lumelle::Languages", "VOLAPUK"), "", "vo", "vol", ""},
    {"cy", QT_TRANSLATE_NOOP("lumelle::Languages", "WELSH"), "", "cy", "wel", "cym"},
    {"wo", QT_TRANSLATE_NOOP("lumelle::Languages", "WOLOF"), "", "wo", "wol", ""},
    {"xh", QT_TRANSLATE_NOOP("lumelle::Languages", "XHOSA"), "", "xh", "xho", ""},
    {"yi", QT_TRANSLATE_NOOP("lumelle::Languages", "YIDDISH"), "", "yi", "yid", ""},
    {"yo", QT_TRANSLATE_NOOP("lumelle::Languages", "YORUBA"), "", "yo", "yor", ""},
    {"zu", QT_TRANSLATE_NOOP("lumelle::Languages", "ZULU"), "", "zu", "zul", ""},
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
