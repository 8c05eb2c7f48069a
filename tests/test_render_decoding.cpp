// Subtitle bytes to text by character set: UTF-8 under DEFAULT, the Windows code pages of the
// other sets, and broken input.
#include "render/Renderer.h"

#include <gtest/gtest.h>

using namespace lumelle;

namespace {

constexpr quint8 kDefault = 1;
const QString kGreek = QString::fromUtf8("Ελληνικά");
const QString kRussian = QString::fromUtf8("Русский");
const QString kHebrew = QString::fromUtf8("עברית");
const QString kArabic = QString::fromUtf8("عربي");

} // namespace

TEST(DecodeText, DefaultReadsUtf8Text)
{
    EXPECT_EQ(DecodeText("Caf\xc3\xa9 cr\xc3\xa8me br\xc3\xbbl\xc3\xa9\x65", kDefault),
              QString::fromUtf8("Café crème brûlée"));
    EXPECT_EQ(DecodeText(kGreek.toStdString(), kDefault), kGreek);
    EXPECT_EQ(DecodeText(kRussian.toStdString(), kDefault), kRussian);
    EXPECT_EQ(DecodeText(kHebrew.toStdString(), kDefault), kHebrew);
    EXPECT_EQ(DecodeText(kArabic.toStdString(), kDefault), kArabic);
    EXPECT_EQ(DecodeText("\xef\xbb\xbfStart", kDefault), QStringLiteral("Start"));
    EXPECT_EQ(DecodeText("", kDefault), QString());
}

TEST(DecodeText, DefaultFallsBackToWindows1252WhenNotUtf8)
{
    // "é" alone as one byte is not UTF-8.
    EXPECT_EQ(DecodeText("Caf\xe9", kDefault), QString::fromUtf8("Café"));
    EXPECT_EQ(DecodeText("\x80 5", kDefault), QString::fromUtf8("€ 5"));
    // Overlong forms, surrogates and cut-off sequences are not UTF-8 either.
    EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));
    EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));
    EXPECT_FALSE(IsValidUtf8("\xf4\x90\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("ab\xe2\x82"));
    EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x98\x80 ok"));
    EXPECT_EQ(DecodeText("\xc3\x28", kDefault), QString::fromUtf8("Ã("));
}

TEST(DecodeText, CodePagesOfTheCharacterSets)
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeText(c.bytes, FontCharsetFromName(c.charset)), c.text) << c.charset;
    // Every set of the list turns plain ASCII letters into themselves.
    for (quint8 charset : CharsetNumbers())
        EXPECT_EQ(DecodeText("Hello, 42", charset), QStringLiteral("Hello, 42")) << int(charset);
}

TEST(DecodeText, BytesOutsideTheCodePageBecomeReplacementCharacters)
{
    const QString replacement(QChar(0xFFFD));
    // 0x81 has no character in windows-1252; 0xAA none in windows-1253.
    EXPECT_EQ(DecodeText("a\x81"
                         "b",
                         FontCharsetFromName("ANSI")),
              "a" + replacement + "b");
    EXPECT_EQ(DecodeText("\xaa\xc5", FontCharsetFromName("GREEK")),
              replacement + QString::fromUtf8("Ε"));
    // A double-byte lead at the end, and a lead followed by a byte that cannot follow it.
    EXPECT_EQ(DecodeText("x\x82", FontCharsetFromName("SHIFTJIS")), "x" + replacement);
    EXPECT_EQ(DecodeText("\x82\x20y", FontCharsetFromName("SHIFTJIS")), replacement + " y");
    // A cut-off Korean pair at the end: the converter reports it having consumed every byte,
    // which once stepped past the end of the text.
    for (const char* name : {"HANGEUL", "JOHAB"}) {
        const QString cut = DecodeText("C\xa2\xe8", FontCharsetFromName(name));
        EXPECT_TRUE(cut.startsWith("C")) << name;
        EXPECT_LE(cut.size(), 3) << name;
    }
    // A long run of garbage neither crashes nor loses the text after it.
    std::string garbage(5000, '\x81');
    garbage += "end";
    const QString decoded = DecodeText(garbage, FontCharsetFromName("ANSI"));
    EXPECT_EQ(decoded.size(), 5003);
    EXPECT_TRUE(decoded.endsWith("end"));
}

TEST(DecodeText, GreekAndCyrillicCodePagesDrawTheSameGlyphsAsUtf8)
{
    RenderSettings utf8;
    SubtitleImage fromUtf8;
    RenderSubtitleImage(fromUtf8, kGreek.toStdString(), kRussian.toStdString(), utf8);

    RenderSettings greek = utf8;
    greek.charset = FontCharsetFromName("GREEK");
    SubtitleImage fromGreek;
    RenderSubtitleImage(fromGreek, "\xc5\xeb\xeb\xe7\xed\xe9\xea\xdc", "", greek);
    RenderSettings russian = utf8;
    russian.charset = FontCharsetFromName("RUSSIAN");
    SubtitleImage fromRussian;
    RenderSubtitleImage(fromRussian, "", "\xd0\xf3\xf1\xf1\xea\xe8\xe9", russian);

    // Rows above the second line's cell from the Greek drawing, the rest from the Russian one:
    // together the UTF-8 drawing of both lines.
    const int h = MeasureLine("", "Arial", 20, {}, 1).height;
    const int split = SecondLineY(576, h, h, utf8.offset, utf8.offset_or);
    for (int y = 0; y < 576; ++y) {
        const QImage& part = y < split ? fromGreek.pixels : fromRussian.pixels;
        for (int x = 0; x < 720; ++x)
            ASSERT_EQ(part.pixel(x, y), fromUtf8.pixels.pixel(x, y)) << x << "," << y;
    }
    // And the text is really there, not replacement boxes: the same widths.
    EXPECT_EQ(MeasureLine("\xc5\xeb\xeb\xe7\xed\xe9\xea\xdc", "Arial", 20, {}, greek.charset).width,
              MeasureText(kGreek, "Arial", 20, {}).width);
    EXPECT_NE(MeasureText(kGreek, "Arial", 20, {}).width,
              MeasureText(QString(kGreek.size(), QChar(0xFFFD)), "Arial", 20, {}).width);
}
