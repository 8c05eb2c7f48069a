#include "AssScripts.h"
#include "ConverterRuns.h"
#include "TestFiles.h"
#include "TextOfWidth.h"
#include "cli/ConvertOptions.h"
#include "cli/Interruption.h"
#include "cli/OptionValues.h"
#include "platform/StoredValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumelle;

namespace {

using Outcome = ConverterRun;

Outcome convert(const QStringList& args)
{
    return runConverter(args);
}

ParseOutcome parse(QStringList args, ConvertOptions& options, QString& error)
{
    args.prepend(QStringLiteral("lumelle-convert"));
    return ParseConvertOptions(args, options, error);
}

} // namespace

TEST(ConvertOptions, DefaultsAreTheWindowDefaults)
{
    ConvertOptions o;
    QString error;
    ASSERT_EQ(parse({"a.srt"}, o, error), ParseOutcome::Run);
    EXPECT_EQ(o.fpsText, "25000");
    EXPECT_EQ(o.settings.fontName, "Arial");
    EXPECT_EQ(o.settings.fontSize, 20);
    EXPECT_EQ(o.settings.offset_or, -4);
    EXPECT_EQ(o.mode, PaletteMode::PcDvdTwoPalettes);
    EXPECT_EQ(o.languageText.left(2), "el");
    EXPECT_EQ(o.jobs, 0) << "one thread per core";
}

TEST(ConvertOptions, ValuesAreCheckedAgainstTheWindowLists)
{
    ConvertOptions o;
    QString error;
    ASSERT_EQ(parse({"--fps", "29970", "--style", "Bold+Italic", "--charset", "GREEK",
                     "--offset-or", "-7", "--palette", "safe", "--text-color", "#FF0000",
                     "--language", "en", "-j", "3", "a.srt", "b.sub"},
                    o, error),
              ParseOutcome::Run)
        << error.toStdString();
    EXPECT_EQ(o.settings.videoStandard, VideoStandard::NTSC);
    EXPECT_TRUE(o.settings.fontStyle.bold && o.settings.fontStyle.italic);
    EXPECT_EQ(o.settings.charset, 161);
    EXPECT_EQ(o.settings.offset_or, -6) << "odd gaps move up to the next even value";
    EXPECT_EQ(o.settings.textColor, makeColor(255, 0, 0));
    EXPECT_EQ(o.settings.outlineColor, makeColor(0, 30, 0)) << "safe palette default";
    EXPECT_EQ(o.files, QStringList({"a.srt", "b.sub"}));
    EXPECT_EQ(o.jobs, 3);

    for (const QStringList& bad : {QStringList{"--fps", "27", "a.srt"},
                                   {"--size", "31", "a.srt"},
                                   {"--offset", "7", "a.srt"},
                                   {"--text-color", "blurple", "a.srt"},
                                   {"--language", "xx", "a.srt"},
                                   {"--jobs", "0", "a.srt"},
                                   {"--jobs", "many", "a.srt"},
                                   {"--bogus"},
                                   {"--outline"},
                                   {}}) {
        ConvertOptions fresh;
        EXPECT_EQ(parse(bad, fresh, error), ParseOutcome::Error) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(ConvertOptions, FrameRatesAreTakenAsPeopleWriteThem)
{
    const struct
    {
        const char* given;
        const char* taken; // empty: refused
    } cases[] = {
        {"25", "25000"},
        {"25000", "25000"},
        {"25.0", "25000"},
        {"23.976", "23976"},
        {"23.98", "23976"},
        {"24000/1001", "23976"},
        {"29.97", "29970"},
        {"30000/1001", "29970"},
        {"60000/1001", "59940"},
        {"59.94", "59940"},
        {"50", "50000"},
        {" 24 ", "24000"},
        {"23.9", ""},
        {"25001", ""},
        {"1000", ""},
        {"24000/0", ""},
        {"/1001", ""},
        {"-25", ""},
        {"0", ""},
        {"nan", ""},
        {"25fps", ""},
    };
    for (const auto& c : cases) {
        ConvertOptions o;
        QString error;
        // 50 and 59.94 are Blu-ray's 720p rates; the rest a DVD takes too.
        const bool hd = QByteArray(c.taken) == "50000" || QByteArray(c.taken) == "59940";
        QStringList arguments{"--fps", c.given, "a.srt"};
        if (hd)
            arguments = QStringList{"--format", "pgs", "--frame-size", "1280x720"} + arguments;
        const ParseOutcome outcome = parse(arguments, o, error);
        if (*c.taken) {
            EXPECT_EQ(outcome, ParseOutcome::Run) << c.given << ": " << error.toStdString();
            EXPECT_EQ(o.fpsText, c.taken) << c.given;
        } else {
            EXPECT_EQ(outcome, ParseOutcome::Error) << c.given;
            EXPECT_TRUE(error.contains(QString("'%1'").arg(c.given))) << error.toStdString();
        }
    }
    ConvertOptions dvd;
    QString error;
    ASSERT_EQ(parse({"-r25", "a.srt"}, dvd, error), ParseOutcome::Run) << error.toStdString();
    EXPECT_EQ(dvd.settings.videoStandard, VideoStandard::PAL);
}

TEST(ConvertOptions, LanguageCodesOfIso639AreTakenAsTheTwoLettersOfTheIndex)
{
    const struct
    {
        const char* given;
        const char* code; // empty: refused
        const char* nearest;
    } cases[] = {
        {"en", "en", ""},  {"EN", "en", ""},  {"eng", "en", ""}, {"ger", "de", ""},
        {"deu", "de", ""}, {"fre", "fr", ""}, {"heb", "he", ""}, {"iw", "iw", ""},
        {"ae", "ae", ""},  {"xx", "", "xh"},  {"enx", "", "en"}, {"english", "", "eng"},
    };
    for (const auto& c : cases) {
        ConvertOptions o;
        QString error;
        const ParseOutcome outcome = parse({"--language", c.given, "a.srt"}, o, error);
        if (*c.code) {
            EXPECT_EQ(outcome, ParseOutcome::Run) << c.given << ": " << error.toStdString();
            EXPECT_EQ(o.languageText, QLatin1String(c.code)) << c.given;
        } else {
            EXPECT_EQ(outcome, ParseOutcome::Error) << c.given;
            EXPECT_TRUE(error.contains(QStringLiteral("nearest:"))) << error.toStdString();
            EXPECT_TRUE(error.contains(QLatin1String(c.nearest))) << error.toStdString();
        }
    }
}

TEST(ConvertOptions, StreamsTakeTheirLanguageNameAndForcedMark)
{
    ConvertOptions o;
    QString error;
    ASSERT_EQ(
        parse({"--stream", "en:film.srt", "--alt", "English SDH", "--stream", "dir/film.fre.srt",
               "--stream", "film.de.forced.srt", "--default-stream", "de"},
              o, error),
        ParseOutcome::Run)
        << error.toStdString();
    ASSERT_EQ(o.streams.size(), 3u);
    EXPECT_EQ(o.streams[0].file, QStringLiteral("film.srt"));
    EXPECT_EQ(o.streams[0].alt, QStringLiteral("English SDH"));
    EXPECT_EQ(o.streams[1].code, QStringLiteral("fr")) << "from the name, ISO 639-2";
    EXPECT_FALSE(o.streams[1].forced);
    EXPECT_EQ(o.streams[2].code, QStringLiteral("de"));
    EXPECT_TRUE(o.streams[2].forced) << "NAME.LANG.forced.srt";
    EXPECT_EQ(o.defaultStream, 2);

    for (const QStringList& bad :
         {QStringList{"--stream", "film.srt"}, // no language anywhere
          {"--stream", "xq:film.srt"},         // not a code
          {"--stream", "en:a.srt", "b.srt"},   // a pair and a plain file
          {"--stream", "en:a.srt", "--default-stream", "fr"},
          {"--stream", "en:a.srt", "--stream", "fr:b.srt", "--format", "dvd-sup"},
          {"--alt", "Name", "a.srt"},
          {"--format", "pgs,vobsub", "a.srt"},         // one Blu-ray form alone
          {"--frame-size", "1920x1080", "a.srt"},      // a DVD's frame is fixed
          {"--format", "pgs", "-r", "30000", "a.srt"}, // no Blu-ray video has it
          {"-r", "50000", "a.srt"},                    // nor a DVD this
          {"--format", "bdn-xml", "--frame-size", "1920x1088", "a.srt"},
          // Sizes and rates that are each Blu-ray's, but no Blu-ray video together.
          {"--format", "bdn-xml", "-r", "59940", "a.srt"},
          {"--format", "pgs", "--frame-size", "1280x720", "-r", "25000", "a.srt"},
          {"--format", "pgs", "--frame-size", "720x576", "-r", "23976", "a.srt"},
          {"--format", "pgs", "--frame-size", "720x480", "-r", "25000", "a.srt"}}) {
        ConvertOptions fresh;
        EXPECT_EQ(parse(bad, fresh, error), ParseOutcome::Error) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(ConvertOptions, ColoursByNameHexAndTriple)
{
    ColorValue c = 0;
    EXPECT_TRUE(ParseColour("clGray", c));
    EXPECT_EQ(c, makeColor(128, 128, 128));
    EXPECT_TRUE(ParseColour("255,230,20", c));
    EXPECT_EQ(c, makeColor(255, 230, 20));
    EXPECT_FALSE(ParseColour("256,0,0", c));
}

TEST(ConvertOptions, ColourNamesAreThoseOfTheSettingsFileWithOrWithoutCl)
{
    for (const platform::NamedColor& entry : platform::namedColors()) {
        const QString name = QString::fromLatin1(entry.name);
        for (const QString& given : {name, name.mid(2), name.mid(2).toUpper()}) {
            ColorValue c = 1;
            EXPECT_TRUE(ParseColour(given, c)) << given.toStdString();
            EXPECT_EQ(c, entry.value) << given.toStdString();
            EXPECT_EQ(platform::parseStoredColor(given), entry.value) << given.toStdString();
        }
    }
    ColorValue c = 0;
    EXPECT_TRUE(ParseColour("grey", c));
    EXPECT_EQ(c, makeColor(128, 128, 128));
    EXPECT_FALSE(ParseColour("clue", c));
}

TEST(ConvertOptions, SettingsFileGivesTheWindowsChoices)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("Lumelle_Settings.ini");
    writeFile(ini,
              "[Form1]\r\nComboBoxFps_ItemIndex=0\r\nComboBox8_ItemIndex=2\r\n"
              "ComboBoxVobsubLanguage_ItemIndex=29\r\nJvColorButtonText_ColorValue=clYellow\r\n"
              "offset_Position=600\r\nComboBoxFontSize_ItemIndex=99\r\n\r\n"
              "[FormColorOptions]\r\nRadioButtonPC_Checked=TRUE\r\n"
              "RadioButtonPCDVD1_Checked=FALSE\r\n\r\n");
    ConvertOptions o;
    QString error;
    ASSERT_EQ(parse({"--settings", ini, "--size", "24", "a.srt"}, o, error), ParseOutcome::Run)
        << error.toStdString();
    EXPECT_EQ(o.fpsText, "23976");
    EXPECT_TRUE(o.settings.fontStyle.italic);
    EXPECT_EQ(o.languageText, "en ENGLISH");
    EXPECT_EQ(o.settings.textColor, makeColor(255, 255, 0));
    EXPECT_EQ(o.settings.offset, 492) << "clamped like the track bar";
    EXPECT_EQ(o.settings.fontSize, 24) << "an option after the file overrides it";
    EXPECT_EQ(o.mode, PaletteMode::PcOnly);

    ConvertOptions missing;
    EXPECT_EQ(parse({"--settings", dir.filePath("none.ini"), "a.srt"}, missing, error),
              ParseOutcome::Error);
}

TEST(ConvertCommand, ConvertsIntoTheOutputFolder)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("film.srt");
    writeFile(srt, "1\n00:00:01,000 --> 00:00:02,000\nHello\n\n2\n00:00:03,000 --> "
                   "00:00:04,000\nWorld\n");
    QDir().mkpath(dir.filePath("out"));
    const Outcome run = convert({"--output", dir.filePath("out"), "--palette", "pc", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QByteArray idx = readAll(dir.filePath("out/film.idx"));
    EXPECT_EQ(idx.count("\r\n"), 65);
    EXPECT_TRUE(idx.contains("palette: 808080, 000000, FFFFFF, 0000FF"));
    EXPECT_EQ(readAll(dir.filePath("out/film.sub")).size(), 2 * 2048);
    EXPECT_TRUE(QFile::exists(dir.filePath("out/Lumelle_Help_File.txt")));
    EXPECT_FALSE(QFile::exists(dir.filePath("film.idx")));
}

TEST(ConvertCommand, LineTooWideIsRefusedBeforeWriting)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("wide.srt");
    writeFile(srt, "1\n00:00:01,000 --> 00:00:02,000\nShort\n\n2\n00:00:03,000 --> 00:00:04,000\n" +
                       QByteArray(120, 'W') + "\nsecond\n");
    const Outcome run = convert({srt});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("The string \n" + QString(120, 'W') +
                                 "\nsecond\nis too long. "
                                 "Please correct the srt and reload it. You can just use a smaler "
                                 "font size."))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("wide.idx")));
    EXPECT_FALSE(QFile::exists(dir.filePath("wide.sub")));
}

TEST(ConvertCommand, WrapBreaksLongLinesThatWouldBeRefused)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("long.srt");
    writeFile(srt, "1\n00:00:01,000 --> 00:00:03,000\nA line of ordinary words that is far too "
                   "long for the frame at the default size\n\n2\n00:00:02,000 --> "
                   "00:00:04,000\nOverlapping\n");
    const Outcome refused = convert({srt});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("--wrap would break the line")) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("long.idx")));

    const Outcome wrapped = convert({"--wrap", srt});
    EXPECT_EQ(wrapped.exitCode, 0) << wrapped.err.toStdString();
    EXPECT_TRUE(wrapped.out.contains("2 overlapping subtitles shown together"))
        << wrapped.out.toStdString();
    EXPECT_TRUE(wrapped.out.contains(": 2 subtitles -> ")) << "subtitles counted, not pictures";
    EXPECT_TRUE(QFile::exists(dir.filePath("long.sub")));

    // One word wider than the frame cannot be broken: refused without the hint.
    writeFile(srt, "1\n00:00:01,000 --> 00:00:02,000\n" + QByteArray(120, 'W') + "\n");
    const Outcome word = convert({"--wrap", srt});
    EXPECT_EQ(word.exitCode, 1);
    EXPECT_FALSE(word.err.contains("--wrap")) << word.err.toStdString();
}

TEST(ConvertCommand, LineOf679PixelsIsConvertedAnd680IsRefused)
{
    const std::string at679 = lumelle::testing::TextOfWidth(679, RenderSettings{});
    const std::string at680 = lumelle::testing::TextOfWidth(680, RenderSettings{});
    ASSERT_FALSE(at679.empty());
    ASSERT_FALSE(at680.empty());
    QTemporaryDir dir;
    for (const auto& [text, fits] : {std::pair{at679, true}, std::pair{at680, false}}) {
        const QString name = fits ? QStringLiteral("fits") : QStringLiteral("wide");
        const QString srt = dir.filePath(name + ".srt");
        writeFile(srt,
                  "1\n00:00:01,000 --> 00:00:02,000\n" + QByteArray::fromStdString(text) + "\n\n");
        const Outcome run = convert({srt});
        EXPECT_EQ(run.exitCode, fits ? 0 : 1) << text << "\n" << run.err.toStdString();
        EXPECT_EQ(QFile::exists(dir.filePath(name + ".idx")), fits) << text;
    }
}

TEST(ConvertCommand, BadFilesAndOptionsFailWithAMessage)
{
    QTemporaryDir dir;
    const QString junk = dir.filePath("junk.srt");
    writeFile(junk, QByteArray("\x00\x01\x02garbage\xff", 11));
    const Outcome unsupported = convert({junk});
    EXPECT_EQ(unsupported.exitCode, 1);
    EXPECT_TRUE(unsupported.err.contains("Unsupported Subtitle Format !"));
    // Listing an unsupported file fails the same way instead of listing nothing with success.
    const Outcome listed = convert({"--list", junk});
    EXPECT_EQ(listed.exitCode, 1);
    EXPECT_TRUE(listed.err.contains("Unsupported Subtitle Format !"));

    const Outcome badOption = convert({"--size", "abc", junk});
    EXPECT_EQ(badOption.exitCode, 2);
    EXPECT_TRUE(badOption.err.contains("font size"));

    const Outcome help = convert({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option :
         {"--fps", "--font", "--size", "--style", "--charset", "--outline", "--align", "--offset",
          "--offset-or", "--text-color", "--outline-color", "--antialias-color", "--palette",
          "--language", "--output", "--settings", "--list"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
}

namespace {

// Pixels of `rgb` in the frame that ffmpeg shows at `seconds` of subtitle stream `stream` of
// `idx` (or a Matroska file) laid over mid grey; `forcedOnly` decodes the forced ones only.
int decodedPixelsOf(const QString& idx, double seconds, QRgb rgb, QString& problem, int stream = 0,
                    bool forcedOnly = false)
{
    QProcess ffmpeg;
    QStringList args{"-v", "error", "-f", "lavfi", "-i", "color=c=0x808080:s=720x576:r=25:d=10"};
    if (forcedOnly)
        args << "-forced_subs_only"
             << "1";
    args << "-i" << idx << "-filter_complex"
         << QStringLiteral("[0:v][1:s:%1]overlay=format=rgb").arg(stream) << "-ss"
         << QString::number(seconds) << "-frames:v"
         << "1"
         << "-f"
         << "rawvideo"
         << "-pix_fmt"
         << "rgb24"
         << "pipe:1";
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
        problem = "ffmpeg failed: " + QString::fromLocal8Bit(ffmpeg.readAllStandardError());
        return -1;
    }
    const QByteArray frame = ffmpeg.readAllStandardOutput();
    if (frame.size() != 720 * 576 * 3) {
        problem = QStringLiteral("decoded frame has %1 bytes").arg(frame.size());
        return -1;
    }
    int count = 0;
    for (qsizetype i = 0; i < frame.size(); i += 3) {
        if (uchar(frame[i]) == qRed(rgb) && uchar(frame[i + 1]) == qGreen(rgb) &&
            uchar(frame[i + 2]) == qBlue(rgb))
            ++count;
    }
    return count;
}

} // namespace

TEST(ConvertCommand, DecodedOutputShowsTheChosenColoursOnlyWhileShown)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("colours.srt");
    QFile::copy(QStringLiteral(LUMELLE_TEST_DATA "/subtitle/three.srt"), srt);
    const Outcome run = convert({"--palette", "pc", "--text-color", "yellow", "--outline-color",
                                 "red", "--antialias-color", "lime", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString idx = dir.filePath("colours.idx");
    QString problem;
    // Subtitle 2 shows from 3 s to 4.5 s; nothing is shown at 2.5 s.
    for (QRgb colour : {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 255, 0)}) {
        EXPECT_GT(decodedPixelsOf(idx, 3.5, colour, problem), 50) << problem.toStdString();
        EXPECT_EQ(decodedPixelsOf(idx, 2.5, colour, problem), 0) << problem.toStdString();
    }
}

TEST(ConvertCommand, AssScriptIsDrawnByLibassWithItsStylesPlacesFadesAndFonts)
{
    QTemporaryDir dir;
    const QString ass = dir.filePath("styled.ass");
    writeFileIn(dir, "styled.ass", lumelle::testing::TestAssScript());
    const Outcome run = convert({"--palette", "pc", "--jobs", "2", ass});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // The font nobody has is named; the one the script carries is not.
    EXPECT_TRUE(run.err.contains("\"NoSuchFontXyz\"")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains("Lumelle Sub Mono")) << run.err.toStdString();

    // Pictures cut at every start and end (the overlap 2-3 s is one picture of both events),
    // and the fade in steps of about a tenth of a second.
    const QString idx = dir.filePath("styled.idx");
    QFile index(idx);
    ASSERT_TRUE(index.open(QIODevice::ReadOnly));
    QStringList times;
    for (const QByteArray& line : index.readAll().split('\n')) {
        if (line.startsWith("timestamp: "))
            times << QString::fromLatin1(line.mid(11, 12));
    }
    ASSERT_GE(times.size(), 8);
    EXPECT_EQ(times.mid(0, 4).join(' ').toStdString(),
              "00:00:01:000 00:00:02:000 00:00:03:000 00:00:04:400");
    const auto fadeSteps = std::count_if(
        times.begin(), times.end(), [](const QString& t) { return t.startsWith("00:00:07:"); });
    EXPECT_GE(fadeSteps, 5);
    EXPECT_LE(fadeSteps, 11);

    QString problem;
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), green = qRgb(0, 255, 0);
    EXPECT_GT(decodedPixelsOf(idx, 2.5, white, problem), 500) << problem.toStdString();
    EXPECT_GT(decodedPixelsOf(idx, 4.75, red, problem), 200) << problem.toStdString();
    EXPECT_EQ(decodedPixelsOf(idx, 5.25, red, problem), 0) << problem.toStdString();
    // The drawing is a shape of 100 x 100 pixels, never its commands as text.
    const int square = decodedPixelsOf(idx, 5.75, green, problem);
    EXPECT_GE(square, 9500) << problem.toStdString();
    EXPECT_LE(square, 10201);
    EXPECT_EQ(decodedPixelsOf(idx, 5.75, white, problem), 0);
    // Halfway into the fade the text shows through (lower contrast), fully after it.
    EXPECT_EQ(decodedPixelsOf(idx, 7.5, white, problem), 0) << problem.toStdString();
    EXPECT_GT(decodedPixelsOf(idx, 8.5, white, problem), 200) << problem.toStdString();
    // The style "Signs" marks its events forced: with subtitles off only they show.
    EXPECT_GT(decodedPixelsOf(idx, 4.75, red, problem, 0, true), 200) << problem.toStdString();
    EXPECT_EQ(decodedPixelsOf(idx, 2.5, white, problem, 0, true), 0) << problem.toStdString();

    // Each thread draws with a renderer of its own: one thread gives the same pair.
    QDir().mkpath(dir.filePath("one"));
    ASSERT_EQ(convert({"--palette", "pc", "--jobs", "1", "-o", dir.filePath("one"), ass}).exitCode,
              0);
    QFile a(dir.filePath("styled.sub")), b(dir.filePath("one/styled.sub"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_TRUE(a.readAll() == b.readAll());
}

TEST(ConvertCommand, SafePaletteDrawsInItsDefaultColours)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("safe.srt");
    QFile::copy(QStringLiteral(LUMELLE_TEST_DATA "/subtitle/three.srt"), srt);
    const Outcome run = convert({"--palette", "safe", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QString problem;
    // Text 255,230,20; outline 0,30,0; antialias 127,127,127.
    for (QRgb colour : {qRgb(255, 230, 20), qRgb(0, 30, 0), qRgb(127, 127, 127)})
        EXPECT_GT(decodedPixelsOf(dir.filePath("safe.idx"), 3.5, colour, problem), 50)
            << qRed(colour) << "," << qGreen(colour) << "," << qBlue(colour) << " "
            << problem.toStdString();
}

TEST(ConvertCommand, InterruptWritesNothingAndRemovesTheTemporaryFiles)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("long.srt");
    writeFile(srt, numberedSrt(40000, 900, "\n"));
    QProcess p;
    p.start(QStringLiteral(LUMELLE_CONVERT_BIN), {"--jobs", "1", srt});
    ASSERT_TRUE(p.waitForStarted());
    // Interrupt once the run has written some packs (under the .sub's temporary name).
    ASSERT_TRUE(waitForFile(dir.path(), "long.sub.*.part", 40 * 2048));
    ASSERT_EQ(::kill(pid_t(p.processId()), SIGINT), 0);
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(QString::fromLocal8Bit(p.readAllStandardError()).contains("Operation Aborted"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"long.srt"});
}

// A stop between pairs prints the text published last, whole, and none of the earlier ones;
// once the texts are taken back it prints "Operation Aborted" alone; while a pair is written
// it only asks the run to stop. Each case raises its signal in a child process.
TEST(Interruption, StopPrintsTheLatestTextOrAsksTheRunToStop)
{
    // Texts of 1 MB, as the summary of a long batch may be: printed whole, and one that was
    // let go too early is no longer there to print.
    const auto text = [](char c) { return "{" + QByteArray(1 << 20, c) + "}\n"; };
    EXPECT_EXIT(
        {
            StopTexts stops;
            for (const char c : {'a', 'b', 'c'})
                stops.publish({text(c), QByteArray()});
            CatchStops();
            std::raise(SIGINT);
        },
        ::testing::ExitedWithCode(1), "^[{]c+[}]\n$");

    EXPECT_EXIT(
        {
            {
                StopTexts stops;
                stops.publish({QByteArrayLiteral("a: not converted\n"), QByteArray()});
            }
            CatchStops();
            std::raise(SIGTERM);
        },
        ::testing::ExitedWithCode(1), "^Operation Aborted\n$");

    EXPECT_EXIT(
        {
            StopTexts stops;
            stops.publish({QByteArrayLiteral("a: not converted\n"), QByteArray()});
            CatchStops();
            SetWriting(true);
            std::raise(SIGTERM);
            std::fputs(StopRequested() ? "stop asked\n" : "stop lost\n", stderr);
            std::_Exit(7);
        },
        ::testing::ExitedWithCode(7), "^stop asked\n$");
}

TEST(ConvertCommand, SkippedEntriesAreNamedCountedAndGiveStatusThree)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("film.srt");
    writeFile(srt, "1\n00:00:01,000 --> 00:00:02,000\nA\n\n"
                   "2\n00:00:0a,000 --> 00:00:04,000\nB\n\n"
                   "3\n00:00:05,000 --> 00:00:06,000\nC\n\x1A");
    const Outcome run = convert({srt});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.err.endsWith(
        srt + ":6: warning: skipped: subtitle 2: '0a' is not a valid integer value\n" + srt +
        ":12: warning: skipped: end-of-file mark (Ctrl-Z)\n" + srt + ": 2 entries skipped\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(srt + ": 2 subtitles -> "));

    const Outcome listed = convert({"--list", srt});
    EXPECT_EQ(listed.exitCode, 3);
    EXPECT_TRUE(listed.err.contains(srt + ": read as UTF-8\n"));

    // A file that is refused outweighs one with skipped entries.
    const QString none = dir.filePath("none.sub");
    writeFile(none, "{a}{b}A\n");
    const Outcome both = convert({srt, none});
    EXPECT_EQ(both.exitCode, 1);
    EXPECT_TRUE(both.err.endsWith(none + ": no subtitle could be read\n"));

    EXPECT_TRUE(convert({"--help"})
                    .out.contains("3  converted, but entries that could not be read or shown were "
                                  "skipped"));
}

TEST(ConvertCommand, EntriesThatCannotBeShownAreSkippedAndTheRestConverted)
{
    QTemporaryDir dir;
    const struct
    {
        const char* name;
        const char* times;
        int status;
        const char* warning;
    } cases[] = {
        {"reversed", "00:00:02,000 --> 00:00:01,000", 0, ":2: warning: subtitle 1: ends before"},
        {"equal", "00:00:02,000 --> 00:00:02,000", 0, ": 1 entry ends where it starts: not shown"},
        {"negative", "-00:00:01,000 --> 00:00:02,000", 0, ":2: warning: subtitle 1: starts"},
        {"before", "-00:00:06,840 --> -00:00:05,000", 3, ":2: warning: skipped: subtitle 1"},
        {"late", "26:40:00,000 --> 26:40:01,000", 3, ":2: warning: skipped: subtitle 1"},
        {"no-millis", "00:00:01 --> 00:00:02", 0, ""},
    };
    for (const auto& c : cases) {
        const QString srt = dir.filePath(QString::fromLatin1(c.name) + ".srt");
        writeFile(srt,
                  "1\n" + QByteArray(c.times) + "\nX\n\n2\n00:00:10,000 --> 00:00:11,000\nN\n");
        const Outcome run = convert({srt});
        EXPECT_EQ(run.exitCode, c.status) << c.name << "\n" << run.err.toStdString();
        EXPECT_EQ(run.err.contains(srt + c.warning), *c.warning != '\0') << c.name << "\n"
                                                                         << run.err.toStdString();
        EXPECT_TRUE(QFile::exists(dir.filePath(QString::fromLatin1(c.name) + ".sub"))) << c.name;
    }
}

TEST(ConvertCommand, DetectedEncodingIsNamedListedAndDrawn)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("greek.srt");
    // "Good morning, how are you today?" / "Very well, thank you." in windows-1253.
    writeFile(srt, "1\r\n00:00:01,000 --> 00:00:02,000\r\n"
                   "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1, \xF4\xE9 \xEA\xDC\xED\xE5\xE9\xF2 "
                   "\xF3\xDE\xEC\xE5\xF1\xE1;\r\n\r\n"
                   "2\r\n00:00:03,000 --> 00:00:04,000\r\n"
                   "\xD0\xEF\xEB\xFD \xEA\xE1\xEB\xDC, \xE5\xF5\xF7\xE1\xF1\xE9\xF3\xF4\xFE.\r\n");
    const Outcome listed = convert({"--list", srt});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_TRUE(listed.err.contains(srt + ": read as ")) << listed.err.toStdString();
    EXPECT_TRUE(listed.err.contains("(detected)"));
    EXPECT_TRUE(listed.out.contains(QStringLiteral("Καλημέρα, τι κάνεις σήμερα;")))
        << listed.out.toStdString();

    // The pictures are those of the same text written in UTF-8, byte for byte.
    const QString utf8 = dir.filePath("greek-utf8.srt");
    writeFile(utf8, QStringLiteral("1\r\n00:00:01,000 --> 00:00:02,000\r\n"
                                   "Καλημέρα, τι κάνεις σήμερα;\r\n\r\n"
                                   "2\r\n00:00:03,000 --> 00:00:04,000\r\n"
                                   "Πολύ καλά, ευχαριστώ.\r\n")
                        .toUtf8());
    ASSERT_EQ(convert({srt}).exitCode, 0);
    ASSERT_EQ(convert({utf8}).exitCode, 0);
    EXPECT_EQ(readAll(dir.filePath("greek.sub")), readAll(dir.filePath("greek-utf8.sub")));

    // A line too wide for the frame is quoted in the same encoding.
    const QString wide = dir.filePath("wide.srt");
    writeFile(wide, "1\r\n00:00:01,000 --> 00:00:02,000\r\n" +
                        QByteArray("\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1, \xF4\xE9 ").repeated(12) +
                        "\r\n");
    const Outcome refused = convert({wide});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("Καλημέρα, τι Καλημέρα")))
        << refused.err.toStdString();
}

TEST(ConvertCommand, AnUndetectedCodePageIsAWarningWithTheWayOut)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("odd.srt");
    writeFile(srt, "1\r\n00:00:01,000 --> 00:00:02,000\r\n\x81\x8d\x8f\x90\r\n");
    const QString warning = srt + ": warning: the encoding could not be detected; read as "
                                  "WINDOWS-1252 (name the right one with --charset)\n";
    for (const QStringList& args : {QStringList{srt}, QStringList{"--list", srt}}) {
        const Outcome run = convert(args);
        // Every entry was read and converted: a warning, not a failure.
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(warning)) << run.err.toStdString();
    }
    EXPECT_FALSE(convert({"--charset", "GREEK", srt}).err.contains("warning"));
}

TEST(ConvertCommand, OutOfOrderEntriesGoOutByStartTime)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("order.srt");
    writeFile(srt, "1\n00:00:05,000 --> 00:00:06,000\nThird\n\n"
                   "2\n00:00:01,000 --> 00:00:02,000\nFirst\n\n"
                   "3\n00:00:03,000 --> 00:00:04,000\nSecond\n");
    const Outcome run = convert({srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "packet=pts_time", "-of", "csv=p=0",
                            dir.filePath("order.idx")});
    ASSERT_TRUE(probe.waitForFinished(30000)) << "ffprobe must be installed";
    EXPECT_EQ(probe.readAllStandardOutput(), "1.000000\n3.000000\n5.000000\n");
}

TEST(ConvertCommand, FileNamesAndTextReachTheTerminalAsTheyAre)
{
    QTemporaryDir dir;
    const QByteArray srt = "1\n00:00:01,000 --> 00:00:02,000\nred \x1b[31mtext\x07\n";

    // A name holding %1%2 is printed as it is, not filled in.
    const QString percent = dir.filePath("%1%2.srt");
    writeFile(percent, srt);
    const Outcome named = convert({percent});
    EXPECT_EQ(named.exitCode, 0) << named.err.toStdString();
    EXPECT_EQ(named.out, percent + ": 1 subtitle -> " + dir.filePath("%1%2.idx") + ", " +
                             dir.filePath("%1%2.sub") +
                             " (help: " + dir.filePath("Lumelle_Help_File.txt") + ")\n");

    // Escape sequences of the text are shown, not obeyed.
    const Outcome listed = convert({"--list", percent});
    EXPECT_EQ(listed.out, "1\t00:00:01:000\t00:00:02:000\tred \\x1B[31mtext\\x07\n");
}

namespace {

// A shell word that printf turns into exactly `bytes`, however they are encoded.
QByteArray shellBytes(const QByteArray& bytes)
{
    QByteArray octal;
    for (const char c : bytes)
        octal += "\\" + QByteArray::number(static_cast<unsigned char>(c), 8).rightJustified(3, '0');
    return "\"$(printf '" + octal + "')\"";
}

// Runs the converter in `folder` with arguments given as bytes: QProcess would pass them as
// UTF-8, so the shell makes them.
Outcome convertInBytes(const QByteArray& folder, const QList<QByteArray>& args)
{
    QByteArray script = "cd " + shellBytes(folder) + " && exec \"$0\"";
    for (const QByteArray& arg : args)
        script += ' ' + shellBytes(arg);
    QProcess shell;
    shell.start("/bin/sh", {"-c", QString::fromLatin1(script), LUMELLE_CONVERT_BIN});
    shell.waitForFinished(60000);
    return {shell.exitCode(), QString::fromUtf8(shell.readAllStandardOutput()),
            QString::fromUtf8(shell.readAllStandardError())};
}

// The files under `folder` (bytes, as the system holds them), their paths from there, sorted.
QList<QByteArray> filesUnder(const QByteArray& folder, const QByteArray& prefix = {})
{
    QList<QByteArray> files;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        struct stat st;
        if (name == "." || name == ".." || ::lstat((folder + '/' + name).constData(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode))
            files += filesUnder(folder + '/' + name, prefix + name + '/');
        else
            files << prefix + name;
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

// A name that is not UTF-8 (a Latin-1 file or folder) gives outputs named with its own bytes:
// two names one byte apart give two pairs, and printed names show such bytes as \xHH.
TEST(ConvertCommand, NamesThatAreNotUtf8KeepTheirBytes)
{
    const QByteArray srt = "1\n00:00:01,000 --> 00:00:02,000\nText\n";
    const QByteArray help = "Lumelle_Help_File.txt";
    const struct
    {
        const char* what;
        QByteArray from; // the working folder, inside the test's folder
        QList<QByteArray> inputs;
        QList<QByteArray> args;
        int exitCode;
        QList<QByteArray> files; // what the folder holds afterwards
        QStringList printed;
    } cases[] = {
        {"two Latin-1 names one byte apart, then a missing file",
         "",
         {"caf\xe9.srt", "caf\xe8.srt"},
         {"caf\xe9.srt", "caf\xe8.srt", "gone.srt"},
         1,
         {help, "caf\xe8.idx", "caf\xe8.srt", "caf\xe8.sub", "caf\xe9.idx", "caf\xe9.srt",
          "caf\xe9.sub"},
         {"caf\\xE9.srt: 1 subtitle -> ", "/caf\\xE8.idx, ", "gone.srt: No such file\n"}},
        {"a file in a Latin-1 folder",
         "",
         {"d\xe9j\xe0/film.srt"},
         {"d\xe9j\xe0/film.srt"},
         0,
         {"d\xe9j\xe0/" + help, "d\xe9j\xe0/film.idx", "d\xe9j\xe0/film.srt",
          "d\xe9j\xe0/film.sub"},
         {"d\\xE9j\\xE0/film.srt: 1 subtitle -> "}},
        {"working in a Latin-1 folder",
         "d\xe9j\xe0",
         {"d\xe9j\xe0/film.srt"},
         {"film.srt"},
         0,
         {"d\xe9j\xe0/" + help, "d\xe9j\xe0/film.idx", "d\xe9j\xe0/film.srt",
          "d\xe9j\xe0/film.sub"},
         {"/d\\xE9j\\xE0/film.idx"}},
        {"--output naming a Latin-1 folder",
         "",
         {"film.srt"},
         {"-o", "sortie\xe9", "film.srt"},
         0,
         {"film.srt", "sortie\xe9/" + help, "sortie\xe9/film.idx", "sortie\xe9/film.sub"},
         {"sortie\\xE9/film.idx"}},
        {"--settings naming a Latin-1 file (the subtitle's text in it is no setting)",
         "",
         {"r\xe9glages.ini", "film.srt"},
         {"--settings", "r\xe9glages.ini", "film.srt"},
         0,
         {help, "film.idx", "film.srt", "film.sub", "r\xe9glages.ini"},
         {"film.srt: 1 subtitle -> "}},
        {"--json",
         "",
         {"\xe9t\xe9.srt"},
         {"--json", "\xe9t\xe9.srt"},
         0,
         {help, "\xe9t\xe9.idx", "\xe9t\xe9.srt", "\xe9t\xe9.sub"},
         {"\"file\": \"\\\\xE9t\\\\xE9.srt\"", "\\\\xE9t\\\\xE9.idx\""}},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QByteArray top = QFile::encodeName(dir.path()) + '/';
        for (const QByteArray& input : c.inputs) {
            const qsizetype slash = input.lastIndexOf('/');
            if (slash > 0)
                ::mkdir((top + input.left(slash)).constData(), 0755);
            const int fd = ::open((top + input).constData(), O_WRONLY | O_CREAT, 0644);
            ASSERT_GE(fd, 0) << c.what;
            ASSERT_EQ(::write(fd, srt.constData(), size_t(srt.size())), srt.size());
            ::close(fd);
        }
        const Outcome run = convertInBytes(top + c.from, c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what << "\n" << run.err.toStdString();
        EXPECT_EQ(filesUnder(top), c.files) << c.what;
        for (const QString& text : c.printed)
            EXPECT_TRUE((run.out + run.err).contains(text))
                << c.what << ": " << text.toStdString() << " in\n"
                << (run.out + run.err).toStdString();
        removeTree(top);
    }
}

namespace {

// What a tool printed on standard output, or an empty text when it failed.
QByteArray toolOutput(const char* program, const QStringList& args)
{
    QProcess p;
    p.start(QString::fromLatin1(program), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

QByteArray srtOf(const char* start, const char* end, const char* text)
{
    return QByteArray("1\n00:00:") + start + " --> 00:00:" + end + "\n" + text + "\n";
}

constexpr QRgb kWhite = qRgb(255, 255, 255);

// The value at `outer`.`inner` of a JSON object.
QJsonValue field(const QJsonValue& value, const char* outer, const char* inner)
{
    return value.toObject().value(QLatin1String(outer)).toObject().value(QLatin1String(inner));
}

} // namespace

// Each language of a pair is a stream of its own that ffprobe, ffmpeg and mkvmerge read with
// its language, the chosen default and its own subtitles.
TEST(ConvertCommand, StreamsOfAPairAreReadWithTheirLanguagesAndTexts)
{
    struct Language
    {
        const char* given; // as given to --stream
        const char* file;
        const char* ffprobe;  // the language ffprobe reads
        const char* mkvmerge; // and mkvmerge
        QByteArray srt;
    };
    const Language en{"en", "film.en.srt", "en", "eng", srtOf("01,000", "02,000", "Hi")};
    const Language fr{"fre", "film.fr.srt", "fr", "fre",
                      srtOf("01,000", "02,000", "Bonjour tout le monde, comment allez-vous")};
    const Language de{"de", "film.de.srt", "de", "ger", srtOf("03,000", "04,000", "Guten Tag")};
    const struct
    {
        std::vector<Language> languages;
        const char* defaultStream;
        int defaultIndex;
    } cases[] = {{{en, fr}, nullptr, 0}, {{en, fr, de}, "3", 2}};
    for (const auto& c : cases) {
        QTemporaryDir dir;
        QStringList args{"--palette", "pc", "-o", dir.filePath("out")};
        for (const Language& l : c.languages)
            args << "--stream"
                 << QStringLiteral("%1:%2").arg(l.given, writeFileIn(dir, l.file, l.srt));
        args << "--alt"
             << "Last one";
        if (c.defaultStream)
            args << "--default-stream" << c.defaultStream;
        const Outcome run = convert(args);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString idx = dir.filePath("out/film.idx");
        ASSERT_TRUE(QFileInfo::exists(idx)) << run.out.toStdString();
        const int count = int(c.languages.size());

        const QJsonArray streams =
            QJsonDocument::fromJson(
                toolOutput("ffprobe", {"-v", "error", "-show_streams", "-of", "json", idx}))
                .object()
                .value(QLatin1String("streams"))
                .toArray();
        ASSERT_EQ(streams.size(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(field(streams[i], "tags", "language").toString(),
                      QLatin1String(c.languages[std::size_t(i)].ffprobe));
            EXPECT_EQ(field(streams[i], "disposition", "default").toInt(),
                      i == c.defaultIndex ? 1 : 0)
                << i;
        }
        EXPECT_EQ(field(streams[count - 1], "tags", "title").toString(),
                  QStringLiteral("Last one"));

        const QJsonArray tracks = QJsonDocument::fromJson(toolOutput("mkvmerge", {"-J", idx}))
                                      .object()
                                      .value(QLatin1String("tracks"))
                                      .toArray();
        ASSERT_EQ(tracks.size(), count);
        for (int i = 0; i < count; ++i)
            EXPECT_EQ(field(tracks[i], "properties", "language").toString(),
                      QLatin1String(c.languages[std::size_t(i)].mkvmerge));

        // Each stream shows its own text: the long French line has far more white pixels
        // than "Hi" at the same time, and the German one shows only later.
        QString problem;
        const int hi = decodedPixelsOf(idx, 1.5, kWhite, problem, 0);
        const int bonjour = decodedPixelsOf(idx, 1.5, kWhite, problem, 1);
        EXPECT_GT(hi, 20) << problem.toStdString();
        EXPECT_GT(bonjour, 5 * hi) << problem.toStdString();
        if (count == 3) {
            EXPECT_EQ(decodedPixelsOf(idx, 1.5, kWhite, problem, 2), 0) << problem.toStdString();
            EXPECT_GT(decodedPixelsOf(idx, 3.5, kWhite, problem, 2), 20) << problem.toStdString();
        }
    }
}

// Forced subtitles are the only ones ffmpeg decodes with -forced_subs_only, from the pair and
// from a Matroska file muxed by mkvmerge.
TEST(ConvertCommand, ForcedSubtitlesAreTheOnlyOnesShownWhenOnlyForcedAreWanted)
{
    QTemporaryDir dir;
    const QString all = writeFileIn(dir, "film.en.srt", srtOf("01,000", "02,000", "Dialogue"));
    const QString signs = writeFileIn(dir, "film.en.forced.srt", srtOf("01,000", "02,000", "SIGN"));
    const Outcome run = convert({"--palette", "pc", "--stream", all, "--stream", signs});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString idx = dir.filePath("film.idx");
    const QString mkv = dir.filePath("film.mkv");
    toolOutput("mkvmerge", {"-q", "-o", mkv, idx});
    for (const QString& file : {idx, mkv}) {
        QString problem;
        EXPECT_EQ(decodedPixelsOf(file, 1.5, kWhite, problem, 0, true), 0)
            << file.toStdString() << problem.toStdString();
        EXPECT_GT(decodedPixelsOf(file, 1.5, kWhite, problem, 1, true), 20)
            << file.toStdString() << problem.toStdString();
        EXPECT_GT(decodedPixelsOf(file, 1.5, kWhite, problem, 0, false), 20)
            << file.toStdString() << problem.toStdString();
    }

    // --forced marks a whole file.
    const QString plain = writeFileIn(dir, "plain.srt", srtOf("01,000", "02,000", "Sign"));
    ASSERT_EQ(convert({"--palette", "pc", "--forced", plain}).exitCode, 0);
    QString problem;
    EXPECT_GT(decodedPixelsOf(dir.filePath("plain.idx"), 1.5, kWhite, problem, 0, true), 20)
        << problem.toStdString();
}

namespace {

struct ReadUnit
{
    int stream = 0;
    std::uint64_t pts = 0;
    QByteArray bytes;
};

// The subpicture units of a .sub file, put together from its packs: a pack whose PES header
// has a time starts a unit of its substream. Every length is checked against what is left.
std::vector<ReadUnit> unitsOfSub(const QByteArray& sub)
{
    std::vector<ReadUnit> units;
    std::map<int, std::size_t> open;
    for (qsizetype at = 0; at + 2048 <= sub.size(); at += 2048) {
        const auto byte = [&](qsizetype i) { return unsigned(uchar(sub[at + i])); };
        EXPECT_EQ(byte(17), 0xBDu) << "private stream 1 at " << at;
        const unsigned pesLength = byte(18) << 8 | byte(19);
        const unsigned headerLength = byte(22);
        const int stream = int(byte(23 + headerLength)) - 0x20;
        const qsizetype payload = 24 + headerLength;
        const qsizetype end = 20 + pesLength;
        if (end > 2048 || payload > end) {
            ADD_FAILURE() << "bad PES length at " << at;
            break;
        }
        if (byte(21) & 0x80) {
            std::uint64_t pts = (std::uint64_t(byte(23)) >> 1 & 7) << 30 | byte(24) << 22 |
                                (byte(25) >> 1) << 15 | byte(26) << 7 | byte(27) >> 1;
            open[stream] = units.size();
            units.push_back({stream, pts, {}});
        }
        units.at(open.at(stream)).bytes += sub.mid(at + payload, end - payload);
    }
    return units;
}

// The units of a DVD .sup file: "SP", the time in 8 little-endian bytes, the unit, whose first
// two bytes give its size.
std::vector<ReadUnit> unitsOfSup(const QByteArray& sup)
{
    std::vector<ReadUnit> units;
    qsizetype at = 0;
    while (at < sup.size()) {
        if (sup.size() - at < 14 || sup.mid(at, 2) != "SP") {
            ADD_FAILURE() << "no header at " << at;
            break;
        }
        std::uint64_t pts = 0;
        for (int i = 7; i >= 0; --i)
            pts = pts << 8 | uchar(sup[at + 2 + i]);
        const qsizetype size = qsizetype(uchar(sup[at + 10])) << 8 | uchar(sup[at + 11]);
        if (size < 4 || at + 10 + size > sup.size()) {
            ADD_FAILURE() << "bad unit size at " << at;
            break;
        }
        units.push_back({0, pts, sup.mid(at + 10, size)});
        at += 10 + size;
    }
    return units;
}

} // namespace

// The .sup file holds the pair's units in order, each after its "SP" header and time.
TEST(ConvertCommand, DvdSupHoldsThePairsUnitsWithTheirTimes)
{
    QTemporaryDir dir;
    const QString srt = dir.filePath("three.srt");
    QFile::copy(QStringLiteral(LUMELLE_TEST_DATA "/subtitle/three.srt"), srt);
    const Outcome both = convert({"--format", "vobsub,dvd-sup", "--forced", srt});
    ASSERT_EQ(both.exitCode, 0) << both.err.toStdString();
    const std::vector<ReadUnit> fromSub = unitsOfSub(readAll(dir.filePath("three.sub")));
    const std::vector<ReadUnit> fromSup = unitsOfSup(readAll(dir.filePath("three.sup")));
    ASSERT_EQ(fromSub.size(), 3u);
    ASSERT_EQ(fromSup.size(), fromSub.size());
    for (std::size_t i = 0; i < fromSub.size(); ++i) {
        EXPECT_EQ(fromSup[i].pts, fromSub[i].pts) << i;
        EXPECT_EQ(fromSup[i].bytes, fromSub[i].bytes) << i;
        const QByteArray& unit = fromSup[i].bytes;
        const int control = uchar(unit[2]) << 8 | uchar(unit[3]);
        EXPECT_EQ(uchar(unit[control + 4]), 0x00) << "forced start command, unit " << i;
    }
    EXPECT_EQ(fromSup[0].pts, 90000u) << "the first subtitle starts at 1 s";

    // Instead of the pair: the .sup alone, the same bytes.
    QTemporaryDir other;
    const Outcome supOnly = convert({"--format", "dvd-sup", "--forced", "-o", other.path(), srt});
    ASSERT_EQ(supOnly.exitCode, 0) << supOnly.err.toStdString();
    EXPECT_EQ(readAll(other.filePath("three.sup")), readAll(dir.filePath("three.sup")));
    EXPECT_FALSE(QFileInfo::exists(other.filePath("three.idx")));
}

// A stream without a subtitle to show (an empty file, one whose only entry ends where it
// starts) is left out, the indexes stay without gaps and the
// units of the streams follow each other in start order.
TEST(ConvertCommand, AStreamWithoutSubtitlesIsLeftOut)
{
    QTemporaryDir dir;
    const Outcome run = convert(
        {"--stream",
         "en:" + writeFileIn(dir, "f.en.srt",
                             srtOf("01,000", "02,000", "One") + "\n2\n00:00:05,000 --> "
                                                                "00:00:06,000\nThree\n"),
         "--stream", "de:" + writeFileIn(dir, "f.de.srt", ""), "--stream",
         "it:" + writeFileIn(dir, "f.it.srt", srtOf("01,000", "01,000", "Note")), "--stream",
         "fr:" + writeFileIn(dir, "f.fr.srt", srtOf("03,000", "04,000", "Deux")),
         "--default-stream", "fr"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("f.de.srt: empty: its stream is left out")))
        << run.err.toStdString();
    const QByteArray idx = readAll(dir.filePath("f.idx"));
    EXPECT_TRUE(idx.contains("langidx: 1\r\n")) << idx.toStdString();
    EXPECT_TRUE(idx.contains("id: en, index: 0\r\n")) << idx.toStdString();
    EXPECT_TRUE(idx.contains("id: fr, index: 1\r\n")) << idx.toStdString();
    EXPECT_FALSE(idx.contains("id: de") || idx.contains("id: it"));

    // A MicroDVD stream file names the pair as a SubRip one does, and is kept.
    const QByteArray micro = "{25}{50}Un\n";
    const QString microPath = writeFileIn(dir, "m.fr.sub", micro);
    ASSERT_EQ(convert({"--stream", microPath}).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("m.idx")));
    EXPECT_EQ(readAll(microPath), micro);
    const QString sameName = writeFileIn(dir, "n.sub", micro);
    ASSERT_EQ(convert({"--stream", "fr:" + sameName}).exitCode, 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("n_vobsub.idx"))) << "n.sub is the input";
    EXPECT_EQ(readAll(sameName), micro);

    // The streams meet in start order, each unit whole.
    std::vector<std::pair<int, std::uint64_t>> order;
    for (const ReadUnit& unit : unitsOfSub(readAll(dir.filePath("f.sub"))))
        order.emplace_back(unit.stream, unit.pts);
    EXPECT_EQ(order,
              (std::vector<std::pair<int, std::uint64_t>>{{0, 90000}, {1, 270000}, {0, 450000}}));
}
