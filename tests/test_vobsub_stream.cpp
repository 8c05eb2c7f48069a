// Program-stream packs, .idx text and the help text, byte for byte.
#include "TestFiles.h"
#include "platform/Error.h"
#include "vobsub/DvdSup.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/Languages.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/Timing.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

using Bytes = std::vector<std::uint8_t>;

const OutputColours kDefaultColours{makeColor(128, 128, 128), makeColor(0, 0, 0),
                                    makeColor(255, 255, 255)};

// Every pack opens with the pack header: start code, clock reference, mux rate, stuffing.
const Bytes kPackHeader{0x00, 0x00, 0x01, 0xBA, 0x44, 0x02, 0xC4,
                        0x82, 0x04, 0xA9, 0x01, 0x89, 0xC3, 0xF8};

Bytes unitOfSize(std::size_t size)
{
    Bytes unit(size);
    for (std::size_t i = 0; i < size; ++i)
        unit[i] = std::uint8_t(i * 7 + 1);
    return unit;
}

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count)
{
    return Bytes(bytes.begin() + std::ptrdiff_t(from),
                 bytes.begin() + std::ptrdiff_t(from + count));
}

Bytes packOf(const Bytes& packs, std::size_t index)
{
    return slice(packs, index * kPackSize, kPackSize);
}

// Splits a PES length field off a pack and checks the header fields around it.
struct PackView
{
    unsigned pesLength;
    bool hasPts;
    Bytes payload;
    Bytes fill;
};

PackView view(const Bytes& pack)
{
    PackView v{};
    EXPECT_EQ(slice(pack, 0, 14), kPackHeader);
    EXPECT_EQ(slice(pack, 14, 4), (Bytes{0x00, 0x00, 0x01, 0xBD})); // private stream 1
    v.pesLength = unsigned(pack[18]) << 8 | pack[19];
    EXPECT_EQ(pack[20], 0x81);
    v.hasPts = pack[21] == 0x80;
    EXPECT_EQ(pack[22], v.hasPts ? 5 : 0); // header data length
    const std::size_t substream = v.hasPts ? 28 : 23;
    EXPECT_EQ(pack[substream], 0x20);
    const std::size_t payloadSize = v.pesLength - (v.hasPts ? 9 : 4);
    v.payload = slice(pack, substream + 1, payloadSize);
    v.fill = slice(pack, substream + 1 + payloadSize, kPackSize - (substream + 1 + payloadSize));
    return v;
}

Bytes padding(std::size_t total)
{
    Bytes b{0x00, 0x00, 0x01, 0xBE, std::uint8_t((total - 6) >> 8), std::uint8_t(total - 6)};
    b.insert(b.end(), total - 6, 0xFF);
    return b;
}

QString errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

} // namespace

TEST(Timing, DivisionRoundsHalfToEven)
{
    EXPECT_EQ(DivideRoundHalfEven(5, 2), 2);
    EXPECT_EQ(DivideRoundHalfEven(7, 2), 4);
    EXPECT_EQ(DivideRoundHalfEven(-5, 2), -2);
    EXPECT_EQ(DivideRoundHalfEven(-7, 2), -4);
    EXPECT_EQ(DivideRoundHalfEven(1, 3), 0);
    EXPECT_EQ(DivideRoundHalfEven(2, 3), 1);
    EXPECT_EQ(DivideRoundHalfEven(-2, 3), -1);
}

TEST(ProgramStream, PtsBytesOfTheWorkedStartFrames)
{
    EXPECT_EQ(PresentationTicks(25, FrameRate(25000), 1), 90000u);
    EXPECT_EQ(PtsBytes(90000), (std::array<std::uint8_t, 5>{0x21, 0x00, 0x05, 0xBF, 0x21}));
    EXPECT_EQ(PtsBytes(PresentationTicks(0, FrameRate(25000), 1)),
              (std::array<std::uint8_t, 5>{0x21, 0x00, 0x01, 0x00, 0x01}));
    EXPECT_EQ(PresentationTicks(1, FrameRate(23976), 1), 3754u);       // 3753.75
    EXPECT_EQ(PresentationTicks(1001, FrameRate(29970), 1), 3006006u); // 3006006.006
}

TEST(ProgramStream, PtsUsesAll33BitsAndRefusesLaterStarts)
{
    // 2386092 frames at 25 fps = 8 589 931 200 ticks = 0x1FFFFF2C0: bit 32 set.
    EXPECT_EQ(PresentationTicks(2386092, FrameRate(25000), 1), 0x1FFFFF2C0u);
    EXPECT_EQ(PtsBytes(0x1FFFFF2C0), (std::array<std::uint8_t, 5>{0x2F, 0xFF, 0xFF, 0xE5, 0x81}));
    // One frame later is past 2^33 ticks.
    EXPECT_EQ(errorOf([] { PresentationTicks(2386093, FrameRate(25000), 4); }),
              "Subtitle 4 starts too late: the .sub file can only hold start times before "
              "26:30:43:717.");
    EXPECT_FALSE(errorOf([] { PresentationTicks(INT64_MAX, FrameRate(25000), 4); }).isEmpty());
    EXPECT_EQ(errorOf([] { PresentationTicks(-1, FrameRate(25000), 9); }),
              "Subtitle 9 starts before 00:00:00:000; the .sub file cannot hold it.");
}

TEST(ProgramStream, PackCountsAtTheSplitBoundaries)
{
    EXPECT_EQ(PackCountFor(36), 1u);
    EXPECT_EQ(PackCountFor(2019), 1u);
    EXPECT_EQ(PackCountFor(2020), 2u);
    EXPECT_EQ(PackCountFor(4043), 2u);
    EXPECT_EQ(PackCountFor(4044), 3u);
    EXPECT_EQ(PackCountFor(18211), 9u);
    EXPECT_EQ(PackCountFor(18212), 10u); // no limit at 9 packs
    EXPECT_EQ(PackCountFor(65535), 33u);
}

TEST(ProgramStream, SinglePackFillsWithPaddingPacketOrFillBytes)
{
    // U = 2012: R = 7, a padding packet whose length field is 1, then one 0xFF.
    Bytes packs = BuildSubtitlePacks(unitOfSize(2012), 25, FrameRate(25000), 1);
    ASSERT_EQ(packs.size(), kPackSize);
    PackView v = view(packs);
    EXPECT_TRUE(v.hasPts);
    EXPECT_EQ(v.pesLength, 9u + 2012u);
    EXPECT_EQ(slice(packs, 23, 5), (Bytes{0x21, 0x00, 0x05, 0xBF, 0x21}));
    EXPECT_EQ(v.payload, unitOfSize(2012));
    EXPECT_EQ(v.fill, (Bytes{0x00, 0x00, 0x01, 0xBE, 0x00, 0x01, 0xFF}));

    // U = 2014: R = 5, five 0xFF without start code.
    v = view(BuildSubtitlePacks(unitOfSize(2014), 0, FrameRate(25000), 1));
    EXPECT_EQ(v.fill, Bytes(5, 0xFF));
    // U = 2018: R = 1.
    v = view(BuildSubtitlePacks(unitOfSize(2018), 0, FrameRate(25000), 1));
    EXPECT_EQ(v.fill, Bytes(1, 0xFF));
    // U = 2019: a full pack, PES length 2028, nothing left over.
    v = view(BuildSubtitlePacks(unitOfSize(2019), 0, FrameRate(25000), 1));
    EXPECT_EQ(v.pesLength, 2028u);
    EXPECT_TRUE(v.fill.empty());
}

TEST(ProgramStream, SixBytesLeftTakeAnEmptyPaddingPacket)
{
    // Six bytes are exactly a padding packet's header: start code and a length of 0, never
    // six 0xFF. U = 2013 leaves them in a first pack (2048 - 29 - 2013), U = 2019 + 2018 in a
    // later one (2048 - 24 - 2018).
    const Bytes emptyPadding{0x00, 0x00, 0x01, 0xBE, 0x00, 0x00};
    EXPECT_EQ(view(BuildSubtitlePacks(unitOfSize(2013), 0, FrameRate(25000), 1)).fill,
              emptyPadding);
    const Bytes packs = BuildSubtitlePacks(unitOfSize(2019 + 2018), 0, FrameRate(25000), 1);
    ASSERT_EQ(packs.size(), 2 * kPackSize);
    EXPECT_EQ(view(packOf(packs, 1)).fill, emptyPadding);
}

TEST(ProgramStream, UnitsAcrossSeveralPacks)
{
    // U = 2020: the second pack carries 1 byte (PES length 5) and a 2023-byte padding packet.
    Bytes unit = unitOfSize(2020);
    Bytes packs = BuildSubtitlePacks(unit, 0, FrameRate(25000), 1);
    ASSERT_EQ(packs.size(), 2 * kPackSize);
    PackView first = view(packOf(packs, 0));
    PackView second = view(packOf(packs, 1));
    EXPECT_EQ(first.pesLength, 2028u);
    EXPECT_FALSE(second.hasPts);
    EXPECT_EQ(second.pesLength, 5u);
    EXPECT_EQ(second.payload, slice(unit, 2019, 1));
    EXPECT_EQ(second.fill, padding(2023)); // length field 2017

    // U = 4042: payloads 2019 and 2023, then one 0xFF.
    packs = BuildSubtitlePacks(unitOfSize(4042), 0, FrameRate(25000), 1);
    ASSERT_EQ(packs.size(), 2 * kPackSize);
    second = view(packOf(packs, 1));
    EXPECT_EQ(second.pesLength, 4u + 2023u);
    EXPECT_EQ(second.fill, Bytes(1, 0xFF));

    // U = 4044: payloads 2019, 2024 and 1.
    packs = BuildSubtitlePacks(unitOfSize(4044), 0, FrameRate(25000), 1);
    ASSERT_EQ(packs.size(), 3 * kPackSize);
    EXPECT_EQ(view(packOf(packs, 1)).pesLength, 2028u);
    EXPECT_EQ(view(packOf(packs, 2)).payload.size(), 1u);
}

TEST(ProgramStream, LargeUnitIsCutIntoAsManyPacksAsItNeeds)
{
    const Bytes unit = unitOfSize(30000);
    const Bytes packs = BuildSubtitlePacks(unit, 250, FrameRate(25000), 1);
    const std::size_t count = PackCountFor(unit.size()); // (30000 - 2020) / 2024 + 2 = 15
    ASSERT_EQ(count, 15u);
    ASSERT_EQ(packs.size(), count * kPackSize);
    Bytes joined;
    for (std::size_t i = 0; i < count; ++i) {
        const PackView v = view(packOf(packs, i));
        EXPECT_EQ(v.hasPts, i == 0) << i;
        joined.insert(joined.end(), v.payload.begin(), v.payload.end());
    }
    EXPECT_EQ(joined, unit);
}

TEST(ProgramStream, WriteAppendsPacksAndCountsThem)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    std::uint32_t PackCount = 0;
    WriteSubtitlePacks(buffer, unitOfSize(676), 25, FrameRate(25000), 1, PackCount);
    EXPECT_EQ(PackCount, 1u);
    WriteSubtitlePacks(buffer, unitOfSize(5000), 75, FrameRate(25000), 2, PackCount);
    EXPECT_EQ(PackCount, 4u);
    EXPECT_EQ(buffer.size(), qint64(4 * kPackSize));
    EXPECT_EQ(Bytes(buffer.data().begin(), buffer.data().begin() + 14), kPackHeader);

    // A refused start time writes nothing and leaves the count.
    EXPECT_FALSE(errorOf([&] {
                     WriteSubtitlePacks(buffer, unitOfSize(676), -5, FrameRate(25000), 3,
                                        PackCount);
                 }).isEmpty());
    EXPECT_EQ(PackCount, 4u);
    EXPECT_EQ(buffer.size(), qint64(4 * kPackSize));
}

TEST(ProgramStream, FailedWriteThrowsTheDeviceError)
{
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    std::uint32_t PackCount = 2;
    const QString message = errorOf(
        [&] { WriteSubtitlePacks(readOnly, unitOfSize(676), 0, FrameRate(25000), 1, PackCount); });
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(PackCount, 2u);
}

TEST(IndexWriter, HeaderMatchesTheGoldenFilesByteForByte)
{
    for (const char* fps : {"25000", "29970"}) {
        const QByteArray golden = readAll(QStringLiteral(LUMELLE_TEST_DATA) + "/vobsub/header_" +
                                          fps + "_two_palettes_el.idx");
        const std::string text = IndexHeaderText(
            FrameRate::fromText(fps), PaletteMode::PcDvdTwoPalettes, kDefaultColours, "el GREEK");
        EXPECT_EQ(text, golden.toStdString()) << fps;
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 63);
    }
}

TEST(IndexWriter, SizeLineByExactFrameRate)
{
    for (const int fps : {23976, 24000, 29970, 30000}) {
        const std::string text =
            IndexHeaderText(FrameRate(fps), PaletteMode::PcOnly, kDefaultColours, "en");
        EXPECT_NE(text.find("\r\nsize: 720x480\r\n"), std::string::npos) << fps;
    }
    // A rate text is a whole number or nothing: no fraction, no blanks.
    EXPECT_THROW(FrameRate::fromText("25000.0"), ConversionError);
    EXPECT_THROW(FrameRate::fromText(" 25000"), ConversionError);
}

TEST(IndexWriter, PaletteAndLanguageLinesFollowModeAndText)
{
    const std::string pc =
        IndexHeaderText(FrameRate(25000), PaletteMode::PcOnly, kDefaultColours, "e");
    EXPECT_NE(pc.find("\r\npalette: 808080, 000000, FFFFFF, 0000FF, 000000"), std::string::npos);
    EXPECT_NE(pc.find("\r\ncustom colors: OFF, tridx: 0000, colors: 000000, 000000, 000000, "
                      "000000\r\n"),
              std::string::npos);
    EXPECT_NE(pc.find("\r\n# English\r\nid: e, index: 0\r\n"), std::string::npos);
    const std::string dvd =
        IndexHeaderText(FrameRate(25000), PaletteMode::DvdOnly, kDefaultColours, "");
    EXPECT_NE(dvd.find("\r\npalette: 80807F, 008080, FF807F, 1D6BFF, 000000"), std::string::npos);
    EXPECT_NE(dvd.find("\r\nid: , index: 0\r\n"), std::string::npos);
}

TEST(IndexWriter, EntryLinesGiveTimeAndLowerCaseHexPosition)
{
    EXPECT_EQ(IndexEntryLine(25, FrameRate(25000), 0),
              "timestamp: 00:00:01:000, filepos: 000000000\r\n");
    EXPECT_EQ(IndexEntryLine(25, FrameRate(25000), 3),
              "timestamp: 00:00:01:000, filepos: 000001800\r\n");
    EXPECT_EQ(IndexEntryLine(1439, FrameRate(23976), 320),
              "timestamp: 00:01:00:018, filepos: 0000a0000\r\n");
    // Past nine digits the number simply grows.
    EXPECT_EQ(IndexEntryLine(0, FrameRate(30000), 0xFFFFFFFFu),
              "timestamp: 00:00:00:000, filepos: 7fffffff800\r\n");
    EXPECT_THROW(FrameRate::fromText("25 fps"), ConversionError);
    EXPECT_THROW(IndexEntryLine(25, FrameRate(0), 0), Error);
}

TEST(IndexWriter, WritesHeaderAndOneLinePerSubtitle)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteIndexHeader(buffer, FrameRate(25000), PaletteMode::PcDvdTwoPalettes, kDefaultColours,
                     "el GREEK");
    WriteIndexEntry(buffer, 25, FrameRate(25000), 0);
    WriteIndexEntry(buffer, 100, FrameRate(25000), 1);
    const QByteArray data = buffer.data();
    EXPECT_EQ(data.count('\n'), 65);
    EXPECT_TRUE(data.endsWith("# Vob/Cell ID: 1, 1 (PTS: 0)\r\n"
                              "timestamp: 00:00:01:000, filepos: 000000000\r\n"
                              "timestamp: 00:00:04:000, filepos: 000000800\r\n"));

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    EXPECT_FALSE(errorOf([&] { WriteIndexEntry(readOnly, 25, FrameRate(25000), 0); }).isEmpty());
}

TEST(IndexWriter, StreamHeadersNameLanguageIndexAndAlternativeName)
{
    EXPECT_EQ(IndexStreamText({"fr", "French", ""}, 1),
              "# French\r\n"
              "id: fr, index: 1\r\n"
              "# Decomment next line to activate alternative name in DirectVobSub / Windows "
              "Media Player 6.x\r\n"
              "# alt: French\r\n"
              "# Vob/Cell ID: 1, 1 (PTS: 0)\r\n");
    const std::string named = IndexStreamText({"de", "German", "Deutsch (Kommentar)"}, 2);
    EXPECT_NE(named.find("\r\nalt: Deutsch (Kommentar)\r\n"), std::string::npos) << named;
    EXPECT_EQ(LanguageIndexText(2), "langidx: 2\r\n\r\n");
}

TEST(Languages, EachCodeGivesItsIndexLettersThreeLettersAndName)
{
    // As a user gives it, the two letters of the index, the bibliographic ISO 639-2 code the
    // BDN index and Matroska take, and the name of the index's comment lines.
    const struct
    {
        const char* given;
        const char* index;
        const char* three;
        const char* name;
    } cases[] = {
        {"fr", "fr", "fre", "French"},
        {"FRA", "fr", "fre", "French"},
        {"ger", "de", "ger", "German"},
        {"deu", "de", "ger", "German"},
        {"el", "el", "gre", "Greek"},
        {"cze", "cs", "cze", "Czech"},
        {"ces", "cs", "cze", "Czech"},
        {"uk", "uk", "ukr", "Ukrainian"},
        {"bg", "bg", "bul", "Bulgarian"},
        {"chi", "zh", "chi", "Chinese"},
        {"aar", "aa", "aar", "Afar"},
        {"zu", "zu", "zul", "Zulu"},
        {"fa", "fa", "per", "Persian (Farsi)"},
        {"bn", "bn", "ben", "Bengali,Bangla"},
        {"rm", "rm", "roh", "Rhaeto-Romance"},
        {"th", "th", "tha", "Thai"},
        // The list's own old codes: Hebrew, Indonesian, Bhutani (Dzongkha).
        {"iw", "iw", "heb", "Hebrew"},
        {"in", "in", "ind", "Indonesian"},
        {"bz", "bz", "dzo", "Bhutani"},
        // Of the list but without an ISO 639-2 code; of ISO 639-1 but not of the list.
        {"sh", "sh", "und", "Serbo-Croatian"},
        {"gb", "gb", "und", "Scots"},
        {"ae", "ae", "und", "ae"},
    };
    for (const auto& c : cases) {
        const QString index = IndexLanguageCode(QLatin1String(c.given));
        EXPECT_EQ(index, QLatin1String(c.index)) << c.given;
        EXPECT_EQ(ThreeLetterLanguageCode(index), QLatin1String(c.three)) << c.given;
        EXPECT_EQ(LanguageName(index), QLatin1String(c.name)) << c.given;
    }
    // Names by the ISO 639-1 letters of a language the list knows by others.
    EXPECT_EQ(LanguageName("he"), "Hebrew");
    EXPECT_EQ(LanguageName("id"), "Indonesian");
    EXPECT_EQ(LanguageName("dz"), "Bhutani");
    EXPECT_EQ(IndexLanguageCode("heb"), "he");
    EXPECT_EQ(IndexLanguageCode("dzo"), "dz");
    for (const char* refused : {"xx", "e", "engl", "en ", "eng,"})
        EXPECT_EQ(IndexLanguageCode(QLatin1String(refused)), QString()) << refused;
    // The nearest accepted codes, in the order of the alphabet, at most as many as asked.
    EXPECT_EQ(NearestLanguageCodes("frx", 3), (QStringList{"fr", "fra", "fre"}));
    EXPECT_EQ(NearestLanguageCodes("ENGL", 5), (QStringList{"eng"}));
    EXPECT_EQ(VobsubLanguageNames().size(), 136);
    EXPECT_EQ(VobsubLanguageNames().front(), "ab ABKHAZIAN");
    EXPECT_EQ(VobsubLanguageNames()[29], "en ENGLISH");
    EXPECT_EQ(VobsubLanguageNames()[41], "el GREEK");
    EXPECT_EQ(VobsubLanguageNames().back(), "zu ZULU");
}

TEST(DvdSup, HeaderIsSpAndTheTimeInEightLittleEndianBytes)
{
    const Bytes unit{0x00, 0x06, 0x00, 0x04, 0xAB, 0xCD};
    // 0x1_2345_6789 ticks: a time that needs all 33 bits.
    EXPECT_EQ(SupPacket(unit, 0x123456789u),
              (Bytes{0x53, 0x50,                                     // "SP"
                     0x89, 0x67, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00, // the time, low byte first
                     0x00, 0x06, 0x00, 0x04, 0xAB, 0xCD}));          // the unit as it stands
}

TEST(HelpText, DefaultColoursByteForByte)
{
    const std::string expected =
        "All Done !!! Important Note:\r\n"
        "Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors\r\n"
        "Just Download VTS_01_0.IFO load it on Ifoedit and press VTS_PGCITI and then "
        "VTS_PGC1.\r\n"
        "Then find the Color 0 Y Cr CB ,doubleclick it, and put the value: 80 80 7F\r\n"
        "Then find the Color 1 Y Cr CB ,doubleclick it, and put the value: 00 80 80\r\n"
        "Then find the Color 2 Y Cr CB ,doubleclick it, and put the value: FF 80 7F\r\n"
        "Then find the Color 3 Y Cr CB ,doubleclick it, and put the value: 1D 6B FF\r\n"
        "Then press save. Thats all.\r\n"
        "\r\n"
        "Generated Files:\r\n"
        "movie.idx\r\n"
        "movie.sub\r\n"
        "/home/me/films/Lumelle_Help_File.txt\r\n"
        "\r\n"
        "Download Ifo File Here: http://" LUMELLE_SITE_HOST "/divx/Downloads/ifo.zip\r\n"
        "\r\n"
        "If you want to MUX more vobsubs into one file (multilanguage vobsubs) then use "
        "Kestrabind: http://" LUMELLE_SITE_HOST "/divx/SoftwareKestrabind.html";
    EXPECT_EQ(HelpText(kDefaultColours, "movie.idx", "movie.sub",
                       HelpFilePath("/home/me/films/movie.srt")),
              expected);
}

TEST(HelpText, ColourLinesFollowSlotsAndNamesStayUtf8)
{
    const OutputColours colours{makeColor(255, 0, 0), makeColor(0, 255, 0), makeColor(0, 0, 0)};
    const std::string text = HelpText(colours, u8"filmé.idx", u8"filmé.sub", "/x/h.txt");
    EXPECT_NE(text.find("Color 0 Y Cr CB ,doubleclick it, and put the value: 4C FF 54\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("Color 1 Y Cr CB ,doubleclick it, and put the value: 95 15 2B\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nfilm\xC3\xA9.idx\r\nfilm\xC3\xA9.sub\r\n"), std::string::npos);

    // The colours the file asks for follow the background, numbered by their palette slots.
    OutputColours coloured = colours;
    coloured.extra = {makeColor(255, 255, 255)};
    EXPECT_NE(HelpText(coloured, "a.idx", "a.sub", "h.txt")
                  .find("value: 1D 6B FF\r\nThen find the Color 4 Y Cr CB ,doubleclick it, and "
                        "put the value: FF 80 7F\r\nThen press save."),
              std::string::npos);
}

TEST(HelpText, FileIsReplacedWithExactlyTheText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Lumelle_Help_File.txt");
    WriteHelpFile(path, "first version, longer than the second\r\nline");
    WriteHelpFile(path, "second\r\nend");
    EXPECT_EQ(readAll(path), QByteArray("second\r\nend"));

    const QString missing = dir.filePath("no/such/folder/Lumelle_Help_File.txt");
    const QString message = errorOf([&] { WriteHelpFile(missing, "x"); });
    EXPECT_TRUE(message.contains(missing)) << message.toStdString();
}
