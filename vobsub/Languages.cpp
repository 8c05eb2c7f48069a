#include "vobsub/Languages.h"

#include "platform/EditDistance.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace lumelle {

const QStringList& VobsubLanguageNames()
{
    // Three entries carry a tab and two capitals after the name, as the index file has them.
    static const QStringList names = {
        QStringLiteral("ab ABKHAZIAN"),
        QStringLiteral("om AFAN (OROMO)"),
        QStringLiteral("aa AFAR\tAA"),
        QStringLiteral("af AFRIKAANS"),
        QStringLiteral("sq ALBANIAN"),
        QStringLiteral("am AMHARIC"),
        QStringLiteral("ar ARABIC"),
        QStringLiteral("hy ARMENIAN"),
        QStringLiteral("as ASSAMESE"),
        QStringLiteral("ay AYMARA"),
        QStringLiteral("az AZERBAIJANI"),
        QStringLiteral("ba BASHKIR"),
        QStringLiteral("eu BASQUE"),
        QStringLiteral("bn BENGALI,BANGLA"),
        QStringLiteral("bz BHUTANI"),
        QStringLiteral("bh BIHARI"),
        QStringLiteral("bi BISLAMA"),
        QStringLiteral("br BRETON"),
        QStringLiteral("bg BULGARIAN"),
        QStringLiteral("my BURMESE"),
        QStringLiteral("be BYELORUSSIAN"),
        QStringLiteral("km CAMBODIAN"),
        QStringLiteral("ca CATALAN"),
        QStringLiteral("zh CHINESE"),
        QStringLiteral("co CORSICAN"),
        QStringLiteral("hr CROATIAN"),
        QStringLiteral("cs CZECH"),
        QStringLiteral("da DANISH"),
        QStringLiteral("nl DUTCH"),
        QStringLiteral("en ENGLISH"),
        QStringLiteral("eo ESPERANTO"),
        QStringLiteral("et ESTONIAN"),
        QStringLiteral("fo FAROESE"),
        QStringLiteral("fj FIJI\tFJ"),
        QStringLiteral("fi FINNISH"),
        QStringLiteral("fr FRENCH"),
        QStringLiteral("fy FRISIAN"),
        QStringLiteral("mk FUROM"),
        QStringLiteral("gl GALICIAN"),
        QStringLiteral("ka GEORGIAN"),
        QStringLiteral("de GERMAN"),
        QStringLiteral("el GREEK"),
        QStringLiteral("kl GREENLANDIC"),
        QStringLiteral("gn GUARANI"),
        QStringLiteral("gu GUJARATI"),
        QStringLiteral("ha HAUSA"),
        QStringLiteral("iw HEBREW"),
        QStringLiteral("hi HINDI"),
        QStringLiteral("hu HUNGARIAN"),
        QStringLiteral("is ICELANDIC"),
        QStringLiteral("in INDONESIAN"),
        QStringLiteral("ia INTERLINGUA"),
        QStringLiteral("ie INTERLINGUE"),
        QStringLiteral("ik INUPIAK"),
        QStringLiteral("ga IRISH"),
        QStringLiteral("it ITALIAN"),
        QStringLiteral("ja JAPANESE"),
        QStringLiteral("jv JAVANESE"),
        QStringLiteral("kn KANNADA"),
        QStringLiteral("ks KASHMIRI"),
        QStringLiteral("kk KAZAKH"),
        QStringLiteral("rw KINYARWANDA"),
        QStringLiteral("ky KIRGHIZ"),
        QStringLiteral("rn KURUNDI"),
        QStringLiteral("ko KOREAN"),
        QStringLiteral("ku KURDISH"),
        QStringLiteral("lo LAOTHIAN"),
        QStringLiteral("la LATIN"),
        QStringLiteral("lv LATVIAN,LETTISH"),
        QStringLiteral("ln LINGALA"),
        QStringLiteral("lt LITHUANIAN"),
        QStringLiteral("mg MALAGASY"),
        QStringLiteral("ms MS"),
        QStringLiteral("ml MALAYALAM"),
        QStringLiteral("mt MALTESE"),
        QStringLiteral("mi MAORI"),
        QStringLiteral("mr MARATHI"),
        QStringLiteral("mo MOLDAVIAN"),
        QStringLiteral("mn MONGOLIAN"),
        QStringLiteral("na NAURU"),
        QStringLiteral("ne NEPALI"),
        QStringLiteral("no NORWEGIAN"),
        QStringLiteral("oc OCCITAN"),
        QStringLiteral("or ORIYA"),
        QStringLiteral("ps PASHTO,PUSHTO"),
        QStringLiteral("fa PERSIAN (farsi)"),
        QStringLiteral("pl POLISH"),
        QStringLiteral("pt PORTUGUESE"),
        QStringLiteral("pa PUNJABI"),
        QStringLiteral("qu QUECHUA"),
        QStringLiteral("rm RHAETO-ROMANCE"),
        QStringLiteral("ro ROMANIAN"),
        QStringLiteral("ru RUSSIAN"),
        QStringLiteral("sm SAMOAN"),
        QStringLiteral("sg SANGHO"),
        QStringLiteral("sa SANSKRIT"),
        QStringLiteral("gb SCOTS"),
        QStringLiteral("sr SERBIAN"),
        QStringLiteral("sh SERBO-CROATIAN"),
        QStringLiteral("st SESOTHO"),
        QStringLiteral("tn SETSWANA"),
        QStringLiteral("sn SHONA"),
        QStringLiteral("sd SINDHI"),
        QStringLiteral("si SINGHALESE"),
        QStringLiteral("ss SISWATI"),
        QStringLiteral("sk SLOVAK"),
        QStringLiteral("sl SLOVENIAN"),
        QStringLiteral("so SOMALI"),
        QStringLiteral("es SPANISH"),
        QStringLiteral("su SUNDANESE"),
        QStringLiteral("sw SWAHILI"),
        QStringLiteral("sv SWEDISH"),
        QStringLiteral("tl TAGALOG"),
        QStringLiteral("tg TAJIK"),
        QStringLiteral("ta TAMIL"),
        QStringLiteral("tt TATAR"),
        QStringLiteral("te TELUGU"),
        QStringLiteral("th THAI\tTH"),
        QStringLiteral("bo TIBETAN"),
        QStringLiteral("ti TIGRINYA"),
        QStringLiteral("to TONGA"),
        QStringLiteral("ts TSONGA"),
        QStringLiteral("tr TURKISH"),
        QStringLiteral("tk TURKMEN"),
        QStringLiteral("tw TWI"),
        QStringLiteral("uk UKRAINIAN"),
        QStringLiteral("ur URDU"),
        QStringLiteral("uz UZBEK"),
        QStringLiteral("vi VIETNAMESE"),
        QStringLiteral("vo VOLAPUK"),
        QStringLiteral("cy WELSH"),
        QStringLiteral("wo WOLOF"),
        QStringLiteral("xh XHOSA"),
        QStringLiteral("yi YIDDISH"),
        QStringLiteral("yo YORUBA"),
        QStringLiteral("zu ZULU"),
    };
    return names;
}

namespace {

// A language of the list: its code there, its ISO 639-1 code and its ISO 639-2 codes
// (bibliographic and terminology forms, comma-separated).
struct ListLanguage
{
    const char* listCode;
    const char* iso1;
    const char* iso2;
};

// Scots ("gb") and Serbo-Croatian ("sh") have no ISO 639-2 code of their own.
const ListLanguage kListLanguages[] = {
    {"aa", "aa", "aar"},     {"ab", "ab", "abk"},     {"af", "af", "afr"},
    {"am", "am", "amh"},     {"ar", "ar", "ara"},     {"as", "as", "asm"},
    {"ay", "ay", "aym"},     {"az", "az", "aze"},     {"ba", "ba", "bak"},
    {"be", "be", "bel"},     {"bg", "bg", "bul"},     {"bh", "bh", "bih"},
    {"bi", "bi", "bis"},     {"bn", "bn", "ben"},     {"bo", "bo", "tib,bod"},
    {"br", "br", "bre"},     {"bz", "dz", "dzo"},     {"ca", "ca", "cat"},
    {"co", "co", "cos"},     {"cs", "cs", "cze,ces"}, {"cy", "cy", "wel,cym"},
    {"da", "da", "dan"},     {"de", "de", "ger,deu"}, {"el", "el", "gre,ell"},
    {"en", "en", "eng"},     {"eo", "eo", "epo"},     {"es", "es", "spa"},
    {"et", "et", "est"},     {"eu", "eu", "baq,eus"}, {"fa", "fa", "per,fas"},
    {"fi", "fi", "fin"},     {"fj", "fj", "fij"},     {"fo", "fo", "fao"},
    {"fr", "fr", "fre,fra"}, {"fy", "fy", "fry"},     {"ga", "ga", "gle"},
    {"gb", "gb", ""},        {"gl", "gl", "glg"},     {"gn", "gn", "grn"},
    {"gu", "gu", "guj"},     {"ha", "ha", "hau"},     {"hi", "hi", "hin"},
    {"hr", "hr", "hrv"},     {"hu", "hu", "hun"},     {"hy", "hy", "arm,hye"},
    {"ia", "ia", "ina"},     {"ie", "ie", "ile"},     {"ik", "ik", "ipk"},
    {"in", "id", "ind"},     {"is", "is", "ice,isl"}, {"it", "it", "ita"},
    {"iw", "he", "heb"},     {"ja", "ja", "jpn"},     {"jv", "jv", "jav"},
    {"ka", "ka", "geo,kat"}, {"kk", "kk", "kaz"},     {"kl", "kl", "kal"},
    {"km", "km", "khm"},     {"kn", "kn", "kan"},     {"ko", "ko", "kor"},
    {"ks", "ks", "kas"},     {"ku", "ku", "kur"},     {"ky", "ky", "kir"},
    {"la", "la", "lat"},     {"ln", "ln", "lin"},     {"lo", "lo", "lao"},
    {"lt", "lt", "lit"},     {"lv", "lv", "lav"},     {"mg", "mg", "mlg"},
    {"mi", "mi", "mao,mri"}, {"mk", "mk", "mac,mkd"}, {"ml", "ml", "mal"},
    {"mn", "mn", "mon"},     {"mo", "mo", "mol"},     {"mr", "mr", "mar"},
    {"ms", "ms", "may,msa"}, {"mt", "mt", "mlt"},     {"my", "my", "bur,mya"},
    {"na", "na", "nau"},     {"ne", "ne", "nep"},     {"nl", "nl", "dut,nld"},
    {"no", "no", "nor"},     {"oc", "oc", "oci"},     {"om", "om", "orm"},
    {"or", "or", "ori"},     {"pa", "pa", "pan"},     {"pl", "pl", "pol"},
    {"ps", "ps", "pus"},     {"pt", "pt", "por"},     {"qu", "qu", "que"},
    {"rm", "rm", "roh"},     {"rn", "rn", "run"},     {"ro", "ro", "rum,ron"},
    {"ru", "ru", "rus"},     {"rw", "rw", "kin"},     {"sa", "sa", "san"},
    {"sd", "sd", "snd"},     {"sg", "sg", "sag"},     {"sh", "sh", ""},
    {"si", "si", "sin"},     {"sk", "sk", "slo,slk"}, {"sl", "sl", "slv"},
    {"sm", "sm", "smo"},     {"sn", "sn", "sna"},     {"so", "so", "som"},
    {"sq", "sq", "alb,sqi"}, {"sr", "sr", "srp"},     {"ss", "ss", "ssw"},
    {"st", "st", "sot"},     {"su", "su", "sun"},     {"sv", "sv", "swe"},
    {"sw", "sw", "swa"},     {"ta", "ta", "tam"},     {"te", "te", "tel"},
    {"tg", "tg", "tgk"},     {"th", "th", "tha"},     {"ti", "ti", "tir"},
    {"tk", "tk", "tuk"},     {"tl", "tl", "tgl"},     {"tn", "tn", "tsn"},
    {"to", "to", "ton"},     {"tr", "tr", "tur"},     {"ts", "ts", "tso"},
    {"tt", "tt", "tat"},     {"tw", "tw", "twi"},     {"uk", "uk", "ukr"},
    {"ur", "ur", "urd"},     {"uz", "uz", "uzb"},     {"vi", "vi", "vie"},
    {"vo", "vo", "vol"},     {"wo", "wo", "wol"},     {"xh", "xh", "xho"},
    {"yi", "yi", "yid"},     {"yo", "yo", "yor"},     {"zh", "zh", "chi,zho"},
    {"zu", "zu", "zul"},
};

// Every ISO 639-1 code.
const QStringList& iso639Part1()
{
    static const QStringList codes =
        QString::fromLatin1("aa ab ae af ak am an ar as av ay az ba be bg bh "
                            "bi bm bn bo br bs ca ce ch co cr cs cu cv cy da "
                            "de dv dz ee el en eo es et eu fa ff fi fj fo fr "
                            "fy ga gd gl gn gu gv ha he hi ho hr ht hu hy hz "
                            "ia id ie ig ii ik io is it iu ja jv ka kg ki kj "
                            "kk kl km kn ko kr ks ku kv kw ky la lb lg li ln "
                            "lo lt lu lv mg mh mi mk ml mn mr ms mt my na nb "
                            "nd ne ng nl nn no nr nv ny oc oj om or os pa pi "
                            "pl ps pt qu rm rn ro ru rw sa sc sd se sg si sk "
                            "sl sm sn so sq sr ss st su sv sw ta te tg th ti "
                            "tk tl tn to tr ts tt tw ty ug uk ur uz ve vi vo "
                            "wa wo xh yi yo za zh zu ")
            .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return codes;
}

// Every code IndexLanguageCode takes, for the nearest-code search.
const QStringList& acceptedCodes()
{
    static const QStringList codes = [] {
        QStringList all = iso639Part1();
        for (const ListLanguage& l : kListLanguages) {
            all << QLatin1String(l.listCode);
            all << QString::fromLatin1(l.iso2).split(QLatin1Char(','), Qt::SkipEmptyParts);
        }
        all.removeDuplicates();
        all.sort();
        return all;
    }();
    return codes;
}

} // namespace

QString IndexLanguageCode(const QString& code)
{
    const QString c = code.toLower();
    if (c.size() == 2 && iso639Part1().contains(c))
        return c;
    for (const ListLanguage& l : kListLanguages) {
        if (c == QLatin1String(l.listCode))
            return c;
        if (c.size() == 3 && QString::fromLatin1(l.iso2).split(QLatin1Char(',')).contains(c))
            return QLatin1String(l.iso1);
    }
    return QString();
}

QString ThreeLetterLanguageCode(const QString& indexCode)
{
    for (const ListLanguage& l : kListLanguages) {
        if (indexCode == QLatin1String(l.listCode) && *l.iso2)
            return QString::fromLatin1(l.iso2).section(QLatin1Char(','), 0, 0);
    }
    return QStringLiteral("und");
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
    QString listCode = indexCode;
    for (const ListLanguage& l : kListLanguages) {
        if (indexCode == QLatin1String(l.iso1))
            listCode = QLatin1String(l.listCode);
    }
    for (const QString& entry : VobsubLanguageNames()) {
        if (entry.left(2) != listCode)
            continue;
        // "GREEK" -> "Greek"; the tab and the capitals after some names are left out.
        const QString name = entry.mid(3).section(QLatin1Char('\t'), 0, 0).toLower();
        QString titled = name;
        for (qsizetype i = 0; i < titled.size(); ++i) {
            if (i == 0 || !titled[i - 1].isLetter())
                titled[i] = titled[i].toUpper();
        }
        return titled;
    }
    return indexCode;
}

} // namespace lumelle
