// Subtitle bytes to text by character set: UTF-8 or the detected code page under DEFAULT, the
// code pages of the other sets, and broken input.
#include "render/RenderSettings.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TextDecoding.h"

#include <QStringEncoder>
#include <gtest/gtest.h>
#include <iconv.h>

using namespace lumelle;

namespace {

const QString kGreek = QString::fromUtf8("Ελληνικά");
const QString kRussian = QString::fromUtf8("Русский");
const QString kHebrew = QString::fromUtf8("עברית");
const QString kArabic = QString::fromUtf8("عربي");

// The first text line of a one-entry MicroDVD file of `text` read under `charset`.
QString readUnder(const QByteArray& text, quint8 charset, FileEncoding* encoding = nullptr)
{
    TSubtitle list;
    list.LoadFromData("a.sub", "{1}{2}" + text + "\n", true, FrameRate(25000), 0, charset);
    if (encoding)
        *encoding = list.Encoding();
    return list.Count() == 1 ? QString::fromStdString(list.line(1).Line1) : QString("(none)");
}

QString decoded(const char* bytes, const char* charset)
{
    return TextDecoder(FontCharsetFromName(charset), FileEncoding{}).text(bytes);
}

// `utf8` in `codePage`, by the system's converter (which also decomposes Vietnamese letters
// into the tone marks of WINDOWS-1258).
std::string encodedIn(const std::string& utf8, const char* codePage)
{
    const iconv_t cd = iconv_open(codePage, "UTF-8");
    std::string out(utf8.size() * 4, '\0');
    char* in = const_cast<char*>(utf8.data());
    char* to = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// A short SubRip file of `lines`, one subtitle each, CRLF line ends.
std::string shortFile(const std::vector<std::string>& lines)
{
    std::string file;
    for (std::size_t n = 0; n < lines.size(); ++n)
        file += std::to_string(n + 1) + "\r\n00:00:0" + std::to_string(2 * n + 1) +
                ",000 --> 00:00:0" + std::to_string(2 * n + 2) + ",000\r\n" + lines[n] + "\r\n\r\n";
    return file;
}

} // namespace

TEST(TextDecoding, ShortFilesOfOneLanguageAreNamedByTheirOwnCodePage)
{
    // Two subtitles each: too little for a detector alone, which names no code page or a
    // neighbour of the right one (ISO-8859-7 for WINDOWS-1253, TIS-620 for CP874, ...).
    const struct
    {
        const char* codePage;
        std::vector<std::string> lines;
    } kFiles[] = {
        {"WINDOWS-1250", {"Zażółć gęślą jaźń.", "Nie wiem, co się stało wczoraj."}},
        {"WINDOWS-1251", {"Привет, как дела?", "Я не знаю, что случилось."}},
        {"WINDOWS-1253", {"Γεια σου, τι κάνεις;", "Άσε με ήσυχο, δεν ξέρω τι έγινε χθες."}},
        {"WINDOWS-1254", {"Merhaba, nasılsın?", "Ne olduğunu bilmiyorum."}},
        {"WINDOWS-1255", {"שלום, מה שלומך?", "אני לא יודע מה קרה."}},
        {"WINDOWS-1256", {"مرحبا، كيف حالك؟", "لا أعرف ماذا حدث."}},
        {"WINDOWS-1257", {"Labas, kaip sekasi?", "Nežinau, kas atsitiko vakar."}},
        {"WINDOWS-1258", {"Xin chào, bạn khỏe không?", "Tôi không biết chuyện gì đã xảy ra."}},
        {"CP874", {"สวัสดี คุณสบายดีไหม", "ฉันไม่รู้ว่าเกิดอะไรขึ้น"}},
        {"BIG5", {"你好，你今天好嗎？", "我不知道發生了什麼事。"}},
        {"GB2312", {"你好，你今天好吗？", "我不知道发生了什么事。"}},
        {"CP949", {"안녕하세요, 잘 지내세요?", "무슨 일이 있었는지 모르겠어요."}},
        {"SHIFT_JIS", {"こんにちは、お元気ですか？", "何が起こったのか分かりません。"}},
    };
    for (const auto& file : kFiles) {
        const std::string utf8 = shortFile(file.lines);
        const std::string bytes = encodedIn(utf8, file.codePage);
        // Named right with no hint, with the window's default language (Greek) and with the
        // file's own.
        for (const char* hint : {"", "el"}) {
            EXPECT_EQ(DetectCodePage(bytes.data(), bytes.size(), hint), file.codePage)
                << file.lines[0] << " hint " << hint;
        }
        EXPECT_EQ(ToUtf8(bytes, DetectCodePage(bytes.data(), bytes.size())), utf8) << file.codePage;
    }
}

TEST(TextDecoding, TheSubtitlesLanguageTellsApartWhatTheBytesLeaveOpen)
{
    // One short Chinese line fits GB2312 and Big5 alike: without a hint it is no finding.
    const std::string bytes = encodedIn(shortFile({"你好，你今天好吗？"}), "GB2312");
    EXPECT_EQ(DetectCodePage(bytes.data(), bytes.size()), "");
    EXPECT_EQ(DetectCodePage(bytes.data(), bytes.size(), "zh"), "GB2312");

    TSubtitle list;
    list.SetLanguageHint(LanguageCodeOf("zh CHINESE"));
    list.LoadFromData("a.srt", QByteArray::fromStdString(bytes), true, FrameRate(25000), 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.line(1).Line1, "你好，你今天好吗？");
    EXPECT_EQ(list.Encoding().description(kDefaultCharset), "GB2312 (detected)");
    EXPECT_EQ(LanguageCodeOf(" el GREEK"), "el");
    EXPECT_EQ(LanguageCodeOf("Greek"), "");

    // A word or two that the bytes alone leave open, each in a language that shares its usual
    // code page with others (Ukrainian, Bulgarian and Macedonian with Russian, ...), the last
    // of each group among them.
    const struct
    {
        const char* language;
        const char* codePage;
        const char* text;
    } kHinted[] = {
        {"uk", "WINDOWS-1251", "Ні!"},  {"bg", "WINDOWS-1251", "Ъъ"},
        {"mk", "WINDOWS-1251", "Ѓ"},    {"sk", "WINDOWS-1250", "Ľúbim"},
        {"sq", "WINDOWS-1250", "Çka?"}, {"ur", "WINDOWS-1256", "ہے"},
        {"lv", "WINDOWS-1257", "Ļoti"},
    };
    for (const auto& c : kHinted) {
        const std::string word = encodedIn(shortFile({c.text}), c.codePage);
        EXPECT_NE(DetectCodePage(word.data(), word.size()), c.codePage) << c.text;
        EXPECT_EQ(DetectCodePage(word.data(), word.size(), c.language), c.codePage) << c.text;
    }
}

TEST(TextDecoding, DefaultReadsAUtf8FileAsUtf8)
{
    EXPECT_EQ(readUnder("Caf\xc3\xa9 cr\xc3\xa8me br\xc3\xbbl\xc3\xa9\x65", kDefaultCharset),
              QString::fromUtf8("Café crème brûlée"));
    for (const QString& text : {kGreek, kRussian, kHebrew, kArabic})
        EXPECT_EQ(readUnder(text.toUtf8(), kDefaultCharset), text);
    // An empty line gives no entry at all.
    EXPECT_EQ(readUnder("", kDefaultCharset), QString("(none)"));
}

TEST(TextDecoding, DefaultReadsOtherBytesInTheDetectedCodePage)
{
    // Overlong forms, surrogates and cut-off sequences are not UTF-8.
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("ab\xe2\x82"));
    EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80 ok"));
    // Nothing recognised reads as the Western code page.
    EXPECT_EQ(DetectCodePage("", 0), "");

    const QByteArray greek = QStringEncoder("windows-1253")(QString::fromUtf8(
        "Καλημέρα, τι κάνεις σήμερα; Πολύ καλά, ευχαριστώ. Θα πάμε στη θάλασσα το απόγευμα."));
    FileEncoding encoding;
    const QString text = readUnder(greek, kDefaultCharset, &encoding);
    EXPECT_EQ(text.toStdString(), ToUtf8(greek.toStdString(), encoding.codePage));
    EXPECT_NE(encoding.codePage, "UTF-8");
    // A chosen character set wins over what was detected.
    EXPECT_EQ(readUnder(greek, FontCharsetFromName("RUSSIAN")),
              decoded(greek.constData(), "RUSSIAN"));
}

TEST(TextDecoding, CodePagesOfTheCharacterSets)
{
    struct Case
    {
        const char* bytes;
        const char* charset;
        QString text;
    };
    const Case cases[] = {
        {"\xc5\xeb\xeb\xe7\xed\xe9\xea\xdc", "GREEK", kGreek},
        {"\xd0\xf3\xf1\xf1\xea\xe8\xe9", "RUSSIAN", kRussian},
        {"\xf2\xe1\xf8\xe9\xfa", "HEBREW", kHebrew},
        {"\xda\xd1\xc8\xed", "ARABIC", kArabic},
        {"\xb3\xf3"
         "d\x9f",
         "EASTEUROPE", QString::fromUtf8("łódź")},
        {"\xfe", "TURKISH", QString::fromUtf8("ş")},
        {"\x82\xa0", "SHIFTJIS", QString::fromUtf8("あ")},
        {"\xb0\xa1", "HANGEUL", QString::fromUtf8("가")},
        {"\xc4\xe3", "GB2312", QString::fromUtf8("你")},
        {"\xa7\x41", "CHINESEBIG5", QString::fromUtf8("你")},
        {"\xa1", "THAI", QString::fromUtf8("ก")},
        {"\x82", "OEM", QString::fromUtf8("é")},
        {"\x8e", "MAC", QString::fromUtf8("é")},
        {"\xe9", "SYMBOL", QString::fromUtf8("é")},
        // The same bytes read differently by the chosen set.
        {"\xe9", "ANSI", QString::fromUtf8("é")},
        {"\xe9", "RUSSIAN", QString::fromUtf8("й")},
        // UTF-8 bytes are not read as UTF-8 outside DEFAULT.
        {"\xc3\xa9", "ANSI", QString::fromUtf8("Ã©")},
        // JOHAB's backslash is the won sign, even in a line of ASCII.
        {"a\\b", "JOHAB", QString::fromUtf8("a₩b")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decoded(c.bytes, c.charset), c.text) << c.charset;
        // The reader gives the same text.
        EXPECT_EQ(readUnder(c.bytes, FontCharsetFromName(c.charset)), c.text) << c.charset;
    }
    // Every other set of the list turns plain ASCII letters into themselves.
    for (quint8 charset : CharsetNumbers())
        EXPECT_EQ(TextDecoder(charset, FileEncoding{}).utf8("Hello, 42"), "Hello, 42")
            << int(charset);
}

TEST(TextDecoding, BytesOutsideTheCodePageBecomeReplacementCharacters)
{
    const QString replacement(QChar(0xFFFD));
    // 0x81 has no character in windows-1252; 0xAA none in windows-1253.
    EXPECT_EQ(decoded("a\x81"
                      "b",
                      "ANSI"),
              "a" + replacement + "b");
    EXPECT_EQ(decoded("\xaa\xc5", "GREEK"), replacement + QString::fromUtf8("Ε"));
    // A double-byte lead at the end, and a lead followed by a byte that cannot follow it.
    EXPECT_EQ(decoded("x\x82", "SHIFTJIS"), "x" + replacement);
    EXPECT_EQ(decoded("\x82\x20y", "SHIFTJIS"), replacement + " y");
    // A cut-off Korean pair at the end: the converter reports it having consumed every byte,
    // which once stepped past the end of the text.
    for (const char* name : {"HANGEUL", "JOHAB"}) {
        const QString cut = decoded("C\xa2\xe8", name);
        EXPECT_TRUE(cut.startsWith("C")) << name;
        EXPECT_LE(cut.size(), 3) << name;
    }
    // A long run of garbage neither crashes nor loses the text after it.
    std::string garbage(5000, '\x81');
    garbage += "end";
    const QString text = TextDecoder(0, FileEncoding{}).text(garbage);
    EXPECT_EQ(text.size(), 5003);
    EXPECT_TRUE(text.endsWith("end"));
    // A broken line of a UTF-8 file gives replacement characters, not the Western code page.
    EXPECT_EQ(TextDecoder(kDefaultCharset, FileEncoding{"UTF-8", true}).utf8("a\xe9"),
              "a\xef\xbf\xbd");
}

TEST(TextDecoding, TheLanguageDecidesShortFilesTheBytesLeaveOpen)
{
    // Single lines, letter lists and a few subtitles, read right when the language of the file
    // is known.
    const struct
    {
        const char* codePage;
        const char* language;
        std::vector<std::string> lines;
    } kFiles[] = {
        {"WINDOWS-1250", "pl", {"Zażółć gęślą jaźń."}},
        {"WINDOWS-1250", "pl", {"Dzień dobry, jak się masz?", "Wszystko w porządku, dziękuję."}},
        {"WINDOWS-1254", "tr", {"Şu an çok güzel bir gün."}},
        {"WINDOWS-1254", "tr", {"Nasılsın, iyi misin?", "Bugün hava çok güzel değil mi?"}},
        {"WINDOWS-1257", "lt", {"Ačiū, labai gražu."}},
        {"WINDOWS-1257", "lv", {"Labrīt, kā jums klājas?", "Paldies, man iet ļoti labi."}},
        {"WINDOWS-1258", "vi", {"Tôi không biết."}},
        {"WINDOWS-1258", "vi", {"Xin chào, bạn khỏe không?", "Cảm ơn, tôi khỏe."}},
        {"WINDOWS-1255", "he", {"א ב ג ד ה ו ז ח ט י כ ל מ נ ס ע פ צ ק ר ש ת"}},
        {"WINDOWS-1255", "he", {"שלום עולם"}},
        {"WINDOWS-1255", "he", {"בוקר טוב, מה שלומך?", "תודה, אני בסדר."}},
        {"SHIFT_JIS", "ja", {"こんにちは世界"}},
        {"SHIFT_JIS", "ja", {"あいうえお かきくけこ さしすせそ"}},
        {"SHIFT_JIS", "ja", {"おはようございます。", "今日はいい天気ですね。"}},
    };
    for (const auto& file : kFiles) {
        const std::string utf8 = shortFile(file.lines);
        const std::string bytes = encodedIn(utf8, file.codePage);
        const std::string found = DetectCodePage(bytes.data(), bytes.size(), file.language);
        EXPECT_EQ(found, file.codePage) << file.lines[0];
    }
}

TEST(TextDecoding, LetterTablesAndSingleLinesAreNeverNamedWrong)
{
    // Short files of each code page: letter tables (two cases of each letter), single lines
    // and a few subtitles. Without a hint each is read right or said to be undetected, never
    // named as another code page; with the language of the file each is read right.
    const struct
    {
        const char* codePage;
        const char* language;
        std::vector<std::string> lines;
    } kFiles[] = {
        {"WINDOWS-1250", "pl", {"Ąą Ćć Ęę Łł Ńń Óó Śś Źź Żż"}},
        {"WINDOWS-1250", "cs", {"Áá Čč Ďď Éé Ěě Íí Ňň Óó Řř Šš Ťť Úú Ůů Ýý Žž"}},
        {"WINDOWS-1252", "fr", {"Àà Ââ Çç Éé Èè Êê Ëë Îî Ïï Ôô Œœ Ùù Ûû Üü Ÿÿ"}},
        {"WINDOWS-1252", "de", {"Ää Öö Üü ß"}},
        {"WINDOWS-1252", "fr", {"Ça va très bien, merci."}},
        {"WINDOWS-1252", "es", {"¿Qué pasó, señor?", "Mañana será otro día."}},
        {"WINDOWS-1254", "tr", {"Çç Ğğ İı Öö Şş Üü"}},
        {"WINDOWS-1257", "lt", {"Ąą Čč Ęę Ėė Įį Šš Ųų Ūū Žž"}},
        {"WINDOWS-1257", "lv", {"Āā Čč Ēē Ģģ Īī Ķķ Ļļ Ņņ Šš Ūū Žž"}},
        {"WINDOWS-1258", "vi", {"Ăă Ââ Đđ Êê Ôô Ơơ Ưư"}},
        {"WINDOWS-1255", "he", {"בוקר טוב, מה שלומך?", "תודה, אני בסדר."}},
        {"SHIFT_JIS", "ja", {"はい"}},
        {"SHIFT_JIS", "ja", {"ありがとう。"}},
        {"ISO-8859-15", "it", {"Àà Èè Éé Ìì Òò Ùù"}},
        {"ISO-8859-15", "it", {"Il caffè costa 2 €, perché no?"}},
        {"WINDOWS-1251", "ru", {"Аа Бб Вв Гг Дд Ее Жж Зз"}},
    };
    for (const auto& file : kFiles) {
        const std::string utf8 = shortFile(file.lines);
        const std::string bytes = encodedIn(utf8, file.codePage);
        const std::string found = DetectCodePage(bytes.data(), bytes.size());
        EXPECT_TRUE(found.empty() || ToUtf8(bytes, found) == utf8)
            << file.lines[0] << " read as " << found;
        const std::string hinted = DetectCodePage(bytes.data(), bytes.size(), file.language);
        EXPECT_EQ(ToUtf8(bytes, hinted), utf8) << file.lines[0] << " read as " << hinted;
    }
    // Where the letters decide, no hint is needed: in the Cyrillic reading of a Polish table
    // two pairs break apart, and a Japanese line holds no other code page's common characters.
    for (const auto& [codePage, text] :
         {std::pair{"WINDOWS-1250", "Ąą Ćć Ęę Łł Ńń Óó Śś Źź Żż"}, std::pair{"SHIFT_JIS", "はい"},
          std::pair{"ISO-8859-15", "Il caffè costa 2 €, perché no?"}}) {
        const std::string bytes = encodedIn(shortFile({text}), codePage);
        EXPECT_EQ(DetectCodePage(bytes.data(), bytes.size()), codePage) << text;
    }
}

TEST(TextDecoding, AHintTheBytesContradictLoses)
{
    // A Russian file said to be Polish: the Polish reading is Latin letters glued to Cyrillic
    // ones, clearly worse, so the bytes win.
    const std::string bytes =
        encodedIn(shortFile({"Привет, как дела?", "Я не знаю, что случилось."}), "WINDOWS-1251");
    EXPECT_EQ(DetectCodePage(bytes.data(), bytes.size(), "pl"), "WINDOWS-1251");
    // An undetected file is read in the Western code page, and says so.
    const std::string table = encodedIn(shortFile({"Çç Ğğ İı Öö Şş Üü"}), "WINDOWS-1254");
    const PreparedText open = PrepareText(QByteArray::fromStdString(table));
    EXPECT_TRUE(open.encoding.undetected);
    EXPECT_EQ(open.encoding.description(kDefaultCharset), "WINDOWS-1252 (could not be detected)");
    const PreparedText told = PrepareText(QByteArray::fromStdString(table), "tr");
    EXPECT_EQ(told.encoding.description(kDefaultCharset), "WINDOWS-1254 (detected)");
}
