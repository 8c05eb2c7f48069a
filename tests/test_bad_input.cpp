// Bad inputs from start to end: each names the input, checks the exact message and that
// nothing was lost (the list, the input file's bytes, whole packs and matching index lines).
#include "GenerationRequests.h"
#include "TestFiles.h"
#include "cli/ExitStatus.h"
#include "cli/SettingsImport.h"
#include "convert/GenerationRun.h"
#include "doubles/RecordingMessages.h"
#include "output/OutputFiles.h"
#include "pgs/BdnXmlWriter.h"
#include "platform/Error.h"
#include "platform/IniStore.h"
#include "platform/SystemNames.h"
#include "render/TextBlock.h"
#include "render/TextShaping.h"
#include "render/WidthCheck.h"
#include "subtitle/FileReading.h"
#include "subtitle/Subtitle.h"
#include "subtitle/TextDecoding.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/ProgramStream.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumelle;

namespace {

constexpr FrameRate kRate(25000);

// The bytes of a string literal, NUL bytes inside it included.
template <std::size_t N> QByteArray bytesOf(const char (&text)[N])
{
    return QByteArray(text, qsizetype(N - 1));
}

// The system's own words for why `path` cannot be created, as open(2) reports them.
QString reasonCreateFails(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT, 0644);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(QFile::encodeName(path).constData());
        return QString();
    }
    return QString::fromLocal8Bit(std::strerror(errno));
}

// The files in `folder`, hidden ones too, without its folders.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::System | QDir::Hidden);
}

QByteArray tenSubtitles()
{
    QByteArray srt;
    for (int i = 0; i < 10; ++i)
        srt += QByteArray::number(i + 1) + "\n" +
               QString::asprintf("00:00:%02d,000 --> 00:00:%02d,500\n", 2 * i + 1, 2 * i + 2)
                   .toLatin1() +
               "Line " + QByteArray::number(i) + "\n\n";
    return srt;
}

// Junk that is not subtitle text: seeded, so every run sees the same bytes.
QByteArray junk(int size, quint32 seed)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(seed);
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

// The hide delay of a one-pack subtitle: the first 2 bytes of the second control sequence of
// its unit, which begins after the pack's 29 header bytes.
int hideDelayOfFirstPack(const QByteArray& sub)
{
    const auto be16 = [&sub](qsizetype at) {
        return (std::uint8_t(sub.at(at)) << 8) | std::uint8_t(sub.at(at + 1));
    };
    const qsizetype unit = 29;
    const int firstSequence = be16(unit + 2);
    const int secondSequence = be16(unit + firstSequence + 2);
    return be16(unit + secondSequence);
}

// Checks a pair on disk: every index line points at the start of a subtitle's first pack, in
// order, and the .sub is whole packs only. Returns the number of subtitles in the pair.
int checkPairIsWhole(const QString& idxPath, const QString& subPath)
{
    const QByteArray idx = readAll(idxPath);
    const QByteArray sub = readAll(subPath);
    EXPECT_EQ(sub.size() % 2048, 0) << "the .sub holds a partial pack";
    EXPECT_TRUE(idx.endsWith("\r\n")) << "the .idx ends inside a line";
    const QList<QByteArray> lines = idx.split('\n');
    int entries = 0;
    qint64 lastPosition = -1;
    for (const QByteArray& line : lines) {
        if (!line.startsWith("timestamp: "))
            continue;
        ++entries;
        const qint64 position =
            line.mid(line.indexOf("filepos: ") + 9).trimmed().toLongLong(nullptr, 16);
        EXPECT_GT(position, lastPosition);
        EXPECT_EQ(position % 2048, 0);
        EXPECT_LT(position, sub.size()) << "an index line without its packs";
        // A subtitle's first pack carries a time stamp.
        EXPECT_EQ(sub.mid(position, 4), QByteArray("\x00\x00\x01\xBA", 4));
        EXPECT_EQ(std::uint8_t(sub.at(position + 21)), 0x80);
        lastPosition = position;
    }
    EXPECT_EQ(idx.count("\r\n"), 63 + entries);
    return entries;
}

class BadInput : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        return writeFileIn(m_dir, name, bytes);
    }

    GenerationRequest request(const TSubtitle& list, const QString& subtitleFile)
    {
        return defaultRequest(list, subtitleFile, m_settings);
    }

    // Runs the generation and returns its error message (empty when it succeeded).
    QString runFails(const GenerationRequest& r)
    {
        try {
            RunGeneration(r, {});
        } catch (const Error& e) {
            return e.message();
        }
        return QString();
    }

    QTemporaryDir m_dir;
    RenderSettings m_settings;
};

} // namespace

TEST_F(BadInput, BinaryJunkWithEachSubtitleExtensionIsUnsupported)
{
    // Junk that does not begin with "{" and has no arrow at characters 14 to 16 of its second
    // line: no reader takes it, and the list keeps what it had.
    QByteArray bytes = junk(64 * 1024, 7);
    bytes[0] = 'x';
    bytes.replace('\n', 'n');
    for (const char* name : {"junk.srt", "junk.sub", "junk.txt"}) {
        const QString path = write(name, bytes);
        TSubtitle list;
        list.AddLine("1", "2", "kept", "", "");
        EXPECT_EQ(list.LoadFromFile(path, true, kRate, 0), LoadOutcome::UnsupportedFormat) << name;
        ASSERT_EQ(list.Count(), 1) << name;
        EXPECT_EQ(list.line(1).Line1, "kept");
        EXPECT_EQ(readAll(path), bytes) << name;
    }

    // A real VobSub .sub (a program stream) given as MicroDVD input.
    const QString vobsub = write("film.sub", QByteArray("\x00\x00\x01\xBA\x44\x02", 6) + bytes);
    TSubtitle list;
    EXPECT_EQ(list.LoadFromFile(vobsub, true, kRate, 0), LoadOutcome::UnsupportedFormat);
}

TEST_F(BadInput, JunkAfterAMicroDvdBraceIsSkippedNamingIt)
{
    // Junk without line breaks, braces or bars after a "{": all of it is the start frame text.
    QByteArray tail = junk(300, 11);
    for (char& c : tail) {
        if (c == '\n' || c == '\r' || c == '{' || c == '}' || c == '|' || c == '<')
            c = '#';
    }
    const QByteArray bytes = "{1}{2}Before\n{" + tail + "\n{3}{4}After\n";
    for (const char* name : {"junk.sub", "junk.txt"}) {
        const QString path = write(name, bytes);
        TSubtitle list;
        list.LoadFromFile(path, true, kRate, 0);
        ASSERT_EQ(list.Skipped().size(), 1u) << name;
        EXPECT_EQ(list.Skipped()[0], (SkippedEntry{2, "'" + QString::fromLatin1(tail) +
                                                          "' is not a valid integer value"}));
        ASSERT_EQ(list.Count(), 2) << "the entries around the junk stay";
        EXPECT_EQ(list.line(1).Line1, "Before");
        EXPECT_EQ(list.line(2).Line1, "After");
        EXPECT_EQ(readAll(path), bytes);
    }
}

TEST_F(BadInput, NulBytesAreKeptAsTextAndTheRunFinishes)
{
    const QByteArray srt = bytesOf("1\n00:00:01,000 --> 00:00:02,000\nA\0B\n\0\0\n\n"
                                   "2\n00:00:03,000 --> 00:00:04,000\n\0\n");
    const QString path = write("nul.srt", srt);
    TSubtitle list;
    EXPECT_EQ(list.LoadFromFile(path, true, kRate, 0), LoadOutcome::Read);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.line(1),
              (SubtitleLine{"25", "50", std::string("A\0B", 3), std::string(2, '\0'), ""}));
    EXPECT_EQ(list.line(2), (SubtitleLine{"75", "100", std::string(1, '\0'), "", ""}));

    const QByteArray mdvd = bytesOf("{10}{20}x\0y|\0\n");
    TSubtitle micro;
    micro.LoadFromFile(write("nul.sub", mdvd), true, kRate, 0);
    ASSERT_EQ(micro.Count(), 1);
    EXPECT_EQ(micro.line(1),
              (SubtitleLine{"10", "20", std::string("x\0y", 3), std::string(1, '\0'), ""}));

    const GenerationResult result = RunGeneration(request(list, path), {});
    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(checkPairIsWhole(idxOf(result), subOf(result)), 2);
    EXPECT_EQ(readAll(path), srt);

    // A NUL inside a time is a malformed number, named with the NUL in it.
    TSubtitle bad;
    bad.LoadFromFile(write("t.srt", bytesOf("1\n00:00:0\0,000 --> 00:00:02,000\nA\n")), true, kRate,
                     0);
    EXPECT_EQ(bad.Count(), 0);
    EXPECT_EQ(bad.Skipped(),
              (std::vector<SkippedEntry>{{2, QStringLiteral("subtitle 1: '0") + QChar(0) +
                                                 "' is not a valid integer value"}}));
}

TEST_F(BadInput, FiftyMegabyteLine)
{
    const qsizetype size = 50 * 1024 * 1024;

    // One line without any line break: not a SubRip file, and the list keeps what it had.
    const QByteArray oneLine(size, 'x');
    const QString srt = write("one-line.srt", oneLine);
    TSubtitle list;
    list.AddLine("1", "2", "kept", "", "");
    EXPECT_EQ(list.LoadFromFile(srt, true, kRate, 0), LoadOutcome::UnsupportedFormat);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(QFileInfo(srt).size(), size);

    // A MicroDVD entry with a 50 MB text: read whole, and far too wide for the frame.
    const std::string text(std::size_t(size), 'W');
    const QString sub = write("long.sub", "{1}{2}" + QByteArray::fromStdString(text) + "\n");
    TSubtitle mdvd;
    mdvd.LoadFromFile(sub, true, kRate, 0);
    ASSERT_EQ(mdvd.Count(), 1);
    EXPECT_TRUE(mdvd.line(1).Line1 == text) << "the text is kept byte for byte";
    EXPECT_GE(MeasureText(QString::fromStdString(text), m_settings.fontName, m_settings.fontSize,
                          m_settings.fontStyle)
                  .width,
              kMaxLineWidth);
    EXPECT_FALSE(EntryFitsWidth(mdvd.line(1), m_settings));
}

TEST_F(BadInput, LongLinesMeasureLikeTheirPieces)
{
    // Past 4096 characters a line is measured in pieces; the sum stays close to the whole.
    const std::string piece = "Wide and narrow: mmm iii. ";
    std::string text;
    while (text.size() < 5000)
        text += piece;
    const auto width = [this](const std::string& t) {
        return MeasureText(QString::fromStdString(t), m_settings.fontName, 6, m_settings.fontStyle)
            .width;
    };
    const int whole = width(text.substr(0, 4096)) + width(text.substr(4096));
    EXPECT_NEAR(width(text), whole, 4);
    EXPECT_GT(width(text), width(text.substr(0, 4096)));
}

TEST_F(BadInput, InvalidUtf8IsReadInTheFoundOrChosenCodePage)
{
    // A lone Latin-1 byte, 0x81 (undefined in WINDOWS-1252), a broken two-byte sequence, a
    // cut-off three-byte sequence and an overlong form.
    const std::string bytes = "Caf\xe9 \x81 \xc3\x28 \xe2\x82 \xc0\xaf";
    ASSERT_FALSE(IsValidUtf8(bytes));
    const QString path = write("latin.srt", QByteArray("1\n00:00:01,000 --> 00:00:02,000\n") +
                                                QByteArray::fromStdString(bytes) + "\n" +
                                                QByteArray::fromStdString(bytes) + "\n");
    TSubtitle list;
    list.LoadFromFile(path, true, kRate, 0, 0);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(QString::fromStdString(list.line(1).Line1),
              QString::fromUtf8("Caf\u00e9 \ufffd \u00c3( \u00e2\u201a \u00c0\u00af"))
        << "ANSI";
    // Under DEFAULT the code page the file is found in reads it; the text is Unicode either way.
    TSubtitle found;
    found.LoadFromFile(path, true, kRate, 0);
    ASSERT_EQ(found.Count(), 1);
    EXPECT_NE(found.Encoding().codePage, "UTF-8");
    EXPECT_EQ(found.line(1).Line1, ToUtf8(bytes, found.Encoding().codePage));
    EXPECT_TRUE(IsValidUtf8(found.line(1).Line1));
    EXPECT_TRUE(EntryFitsWidth(found.line(1), m_settings));

    const GenerationResult result = RunGeneration(request(found, path), {});
    EXPECT_EQ(checkPairIsWhole(idxOf(result), subOf(result)), 1);
}

// Two names that differ in one byte that is not UTF-8 must stay two names: each gives back
// exactly its bytes, and shows them readably.
TEST(SystemNames, EveryNameGivesBackItsBytesAndShowsThemReadably)
{
    const struct
    {
        QByteArray bytes;
        const char* shown;
    } cases[] = {
        {"caf\xc3\xa9.srt", "caf\xc3\xa9.srt"},                  // UTF-8 stays as it is
        {"caf\xe9.srt", "caf\\xE9.srt"},                         // Latin-1 é
        {"caf\xe8.srt", "caf\\xE8.srt"},                         // Latin-1 è: another name
        {"\xc3\x28 \xe2\x82", "\\xC3( \\xE2\\x82"},              // broken and cut-off sequences
        {"\xc0\xaf \xed\xa0\x80", "\\xC0\\xAF \\xED\\xA0\\x80"}, // overlong, a surrogate
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},            // past U+10FFFF
        {"\xf0\x9f\x8e\xac.srt", "\xf0\x9f\x8e\xac.srt"},        // outside the BMP
        {"\xef\x9e\xa9", "\\xEF\\x9E\\xA9"}, // a character of the range that stands for bytes
    };
    QSet<QString> names;
    for (const auto& c : cases) {
        const QString name = FromSystemName(c.bytes);
        EXPECT_EQ(ToSystemName(name), c.bytes) << c.shown;
        EXPECT_EQ(ReadableName(name), QString::fromUtf8(c.shown));
        names.insert(name);
    }
    EXPECT_EQ(names.size(), qsizetype(std::size(cases))) << "two names became one";
}

// Qt's file dialog names a Latin-1 file with U+FFFD; the one file it showed is found, and a
// name that two files share in Qt's eyes is left as it is.
TEST(SystemNames, AFileDialogsNameFindsTheOneFileItShowed)
{
    QTemporaryDir dir;
    const QByteArray top = QFile::encodeName(dir.path());
    ASSERT_EQ(::mkdir((top + "/d\xe9j\xe0").constData(), 0755), 0);
    for (const char* name : {"/d\xe9j\xe0/film.srt", "/caf\xe8.srt", "/caf\xe9.srt"})
        ::close(::open((top + name).constData(), O_WRONLY | O_CREAT, 0644));
    const struct
    {
        const char* qtName; // as Qt decodes it, from the test's folder
        QByteArray found;   // the bytes of the name given back, from the test's folder
    } cases[] = {
        {"/d\uFFFDj\uFFFD/film.srt", "/d\xe9j\xe0/film.srt"},
        {"/caf\uFFFD.srt", "/caf\xef\xbf\xbd.srt"}, // two files: none is taken
        {"/gone\uFFFD.srt", "/gone\xef\xbf\xbd.srt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToSystemName(FromQtName(dir.path() + QString::fromUtf8(c.qtName))), top + c.found)
            << c.qtName;
    removeTree(top);
}

TEST_F(BadInput, TimesLikeNinetyNineHoursAreRefusedBeforeAnyFileIsWritten)
{
    const QByteArray bytes = "1\n00:00:01,000 --> 00:00:02,000\nFine\n\n"
                             "2\n99:99:99,000 --> 99:99:99,999\nNines\n";
    const QString path = write("nines.srt", bytes);
    TSubtitle list;
    list.LoadFromFile(path, true, kRate, 0);
    // 99 h + 99 min + 99 s = 362 439 s: the reader skips it and names it.
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Skipped(), (std::vector<SkippedEntry>{
                                  {6, "subtitle 2: starts later than a subtitle stream can hold "
                                      "(before 26:30:43,717)"}}));
    // A list that holds such a start all the same (frame 9 061 000 at 25 fps) is refused by the
    // writer before any file is written.
    list.AddLine("9061000", "9061000", "Nines", "", "");
    // An earlier pair of the same name stays as it was.
    const QString oldIdx = write("nines.idx", "old index");
    const QString oldSub = write("nines.sub", "old stream");
    EXPECT_EQ(runFails(request(list, path)),
              "Subtitle 2 starts too late: the .sub file can only hold start times before "
              "26:30:43:717.");
    EXPECT_EQ(readAll(oldIdx), "old index");
    EXPECT_EQ(readAll(oldSub), "old stream");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("Lumelle_Help_File.txt")));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(readAll(path), bytes);
}

TEST_F(BadInput, NegativeStartsAreRefusedAndHugeFramesAreConversionErrors)
{
    // The readers cut or skip starts before 0; a list that holds one all the same is refused by
    // the writer, which names the subtitle and touches no file.
    const QByteArray negative = "{25}{50}First\n{-5}{10}Early\n";
    const QString mdvd = write("neg.sub", negative);
    TSubtitle list;
    list.AddLine("25", "50", "First", "", "");
    list.AddLine("-5", "10", "Early", "", "");
    EXPECT_EQ(runFails(request(list, mdvd)),
              "Subtitle 2 starts before 00:00:00:000; the .sub file cannot hold it.");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("neg_vobsub.idx")));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("neg_vobsub.sub")));
    EXPECT_EQ(readAll(mdvd), negative);

    // A number past 32 bits is the conversion message; the entries before it stay.
    for (const QByteArray& line : {QByteArray("{99999999999}{1}Huge"), QByteArray("{1}{99999999999}"
                                                                                  "Huge")}) {
        TSubtitle huge;
        huge.LoadFromFile(write("huge.sub", "{1}{2}Before\n" + line + "\n"), true, kRate, 0);
        EXPECT_EQ(huge.Skipped(),
                  (std::vector<SkippedEntry>{{2, "'99999999999' is not a valid integer value"}}));
        EXPECT_EQ(huge.Count(), 1);
    }

    // The largest 32-bit start is too late for the stream; the largest end only makes the
    // hide delay as long as its field holds.
    TSubtitle late;
    late.AddLine("2147483647", "2147483647", "Late", "", "");
    EXPECT_EQ(runFails(request(late, m_dir.filePath("late.sub"))),
              "Subtitle 1 starts too late: the .sub file can only hold start times before "
              "26:30:43:717.");
    TSubtitle longest;
    const QString longPath = write("long.sub", "{0}{2147483647}Forever\n");
    longest.LoadFromFile(longPath, true, kRate, 0);
    const GenerationResult result = RunGeneration(request(longest, longPath), {});
    EXPECT_EQ(checkPairIsWhole(idxOf(result), subOf(result)), 1);
    EXPECT_EQ(hideDelayOfFirstPack(readAll(subOf(result))), 0xFFFF);
}

TEST_F(BadInput, EndBeforeStartHidesAtOnce)
{
    // The readers show such an entry until the next one; a list that holds one all the same
    // hides it at once.
    const QString path = write("back.sub", "{100}{50}Backwards\n");
    TSubtitle list;
    list.AddLine("100", "50", "Backwards", "", "");
    const GenerationResult back = RunGeneration(request(list, path), {});
    EXPECT_EQ(checkPairIsWhole(idxOf(back), subOf(back)), 1);
    // One unit (about 11 ms): a delay of 0 would keep it up until the next subtitle.
    EXPECT_EQ(hideDelayOfFirstPack(readAll(subOf(back))), 1);
    // The control: a subtitle of 2 s (50 frames) hides after 50 x 90000 / 25 / 1024 = 176 units.
    TSubtitle forward;
    const QString fwd = write("fwd.sub", "{50}{100}Forwards\n");
    forward.LoadFromFile(fwd, true, kRate, 0);
    EXPECT_EQ(hideDelayOfFirstPack(readAll(subOf(RunGeneration(request(forward, fwd), {})))), 176);
}

TEST_F(BadInput, SubtitleFileVanishesBetweenLoadingAndGenerating)
{
    // The list is in memory: a file removed, or replaced by something unreadable, after the
    // load still gives the whole pair beside where it was.
    const QString folder = m_dir.filePath("films");
    QDir().mkpath(folder);
    const QString path = folder + "/movie.srt";
    writeFile(path,
              "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n2\n00:00:03,000 --> 00:00:04,000\nTwo\n");
    TSubtitle list;
    list.LoadFromFile(path, true, kRate, 0);
    ASSERT_EQ(list.Count(), 2);

    ASSERT_TRUE(QFile::remove(path));
    GenerationResult result = RunGeneration(request(list, path), {});
    EXPECT_EQ(idxOf(result), folder + "/movie.idx");
    EXPECT_EQ(checkPairIsWhole(idxOf(result), subOf(result)), 2);
    EXPECT_TRUE(QFile::exists(folder + "/Lumelle_Help_File.txt"));

    ASSERT_TRUE(QDir().mkpath(path)) << "a folder in the file's place";
    result = RunGeneration(request(list, path), {});
    EXPECT_EQ(checkPairIsWhole(idxOf(result), subOf(result)), 2);

    // Its folder gone: nothing can be written, and the message says where.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    EXPECT_EQ(runFails(request(list, path)),
              "Cannot create file \"" + folder + "/movie.idx\". No such file or directory");
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(BadInput, OutputFolderThatRefusesWrites)
{
    // We run as root, so permissions stop nothing: /sys refuses new files whoever asks.
    const QString path = write("movie.srt", "1\n00:00:01,000 --> 00:00:02,000\nOne\n");
    TSubtitle list;
    list.LoadFromFile(path, true, kRate, 0);
    const QString readOnly = m_dir.filePath("read-only");
    ASSERT_TRUE(QFile::link("/sys", readOnly));
    const QString reason = reasonCreateFails(readOnly + "/movie.idx");
    ASSERT_FALSE(reason.isEmpty()) << "/sys took a new file";
    GenerationRequest r = request(list, path);
    r.outputFolder = readOnly;
    EXPECT_EQ(runFails(r), "Cannot create file \"" + readOnly + "/movie.idx\". " + reason);
    EXPECT_EQ(list.Count(), 1);

    // A folder holds the help file's name: it is left as it is, the result says so, and the
    // pair is whole.
    const QString out = m_dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out + "/Lumelle_Help_File.txt"));
    r.outputFolder = out;
    const GenerationResult result = RunGeneration(r, {});
    EXPECT_TRUE(result.helpPath.isEmpty());
    EXPECT_EQ(result.notes, QStringList{out + "/Lumelle_Help_File.txt was left as it is: it is not "
                                              "a regular file."});
    EXPECT_EQ(checkPairIsWhole(out + "/movie.idx", out + "/movie.sub"), 1);
}

TEST_F(BadInput, NamesAsLongAsTheFolderAllowsAreWritten)
{
    // NAME.idx fits in 255 bytes; its temporary name must not be what stops the run.
    for (const int stem : {246, 251}) {
        QTemporaryDir dir;
        const QString name = QString(stem, QLatin1Char('x'));
        const QString path = writeFileIn(dir, name + ".srt", tenSubtitles());
        TSubtitle list;
        list.LoadFromFile(path, true, kRate, 0);
        const GenerationResult result = RunGeneration(request(list, path), {});
        EXPECT_EQ(checkPairIsWhole(dir.filePath(name + ".idx"), dir.filePath(name + ".sub")), 10);
        EXPECT_EQ(filesIn(dir.path()).size(), 4) << "temporary files left";
        // An earlier pair of that name is replaced the same way.
        RunGeneration(request(list, path), {});
        EXPECT_EQ(filesIn(dir.path()).size(), 4);
    }
}

TEST_F(BadInput, DeviceOrFifoInPlaceOfAnOutputIsNeverOpened)
{
    const QString path = write("movie.srt", "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
                                            "2\n00:00:03,000 --> 00:00:04,000\nTwo\n");
    TSubtitle list;
    list.LoadFromFile(path, true, kRate, 0);
    GenerationRequest r = request(list, path);

    // A link to a device, a FIFO (open() would block for ever): refused, nothing created.
    for (const char* kind : {"device", "fifo"}) {
        r.outputFolder = m_dir.filePath(kind);
        QDir().mkpath(r.outputFolder);
        const QString taken = r.outputFolder + (kind[0] == 'd' ? "/movie.sub" : "/movie.idx");
        if (kind[0] == 'd')
            ASSERT_TRUE(QFile::link("/dev/full", taken));
        else
            ASSERT_EQ(::mkfifo(QFile::encodeName(taken).constData(), 0644), 0);
        EXPECT_EQ(runFails(r), "Cannot create file \"" + taken + "\". It is not a regular file.");
        EXPECT_EQ(QDir(r.outputFolder).entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{QFileInfo(taken).fileName()});
    }
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(BadInput, PairGoesInPlaceAsOneOrTheEarlierStays)
{
    const QString idx = m_dir.filePath("film.idx");
    const QString sub = m_dir.filePath("film.sub");
    const auto stage = [&](StagedSet& set) {
        set.add(idx).device().write("new idx");
        set.add(sub).device().write("new sub");
    };

    // Both in place, the links to the earlier files gone, each keeping the permissions of
    // the file it replaced.
    write("film.idx", "old idx");
    write("film.sub", "old sub");
    const auto mode = [](const QString& path) {
        struct stat st;
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };
    ASSERT_EQ(::chmod(QFile::encodeName(idx).constData(), 0640), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(sub).constData(), 0604), 0);
    {
        StagedSet set;
        stage(set);
        set.commit();
    }
    EXPECT_EQ(readAll(idx), "new idx");
    EXPECT_EQ(readAll(sub), "new sub");
    EXPECT_EQ(filesIn(m_dir.path()), QStringList({"film.idx", "film.sub"}));
    EXPECT_EQ(mode(idx), 0640u);
    EXPECT_EQ(mode(sub), 0604u);

    // The .idx cannot be renamed into place (a folder took its name meanwhile): the .sub that
    // went first is put back, and the message says so.
    write("film.sub", "old sub");
    ASSERT_TRUE(QFile::remove(idx));
    ASSERT_TRUE(QDir().mkpath(idx + "/inside"));
    {
        StagedSet set;
        stage(set);
        try {
            set.commit();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), "Cannot write file \"" + idx +
                                       "\". Is a directory. The earlier \"" + sub +
                                       "\" was put back as it was.");
        }
    }
    EXPECT_EQ(readAll(sub), "old sub");
    EXPECT_EQ(filesIn(m_dir.path()), QStringList({"film.sub"})) << "temporary files left";

    // No earlier .sub: the new one is removed again.
    ASSERT_TRUE(QFile::remove(sub));
    {
        StagedSet set;
        stage(set);
        EXPECT_THROW(set.commit(), Error);
    }
    EXPECT_EQ(filesIn(m_dir.path()), QStringList());
}

namespace {

// A device with room for `capacity` bytes: a write takes what still fits, the next one fails
// as a full disk does.
class FillingDevice : public QIODevice
{
public:
    explicit FillingDevice(qint64 capacity) : m_capacity(capacity)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    const QByteArray& data() const { return m_data; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = m_capacity - m_data.size();
        if (room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 taken = std::min(room, length);
        m_data.append(data, taken);
        return taken;
    }

private:
    qint64 m_capacity;
    QByteArray m_data;
};

} // namespace

TEST(DiskFillsDuringTheRun, WritersReportTheDevicesReasonAndKeepTheirCount)
{
    const std::vector<std::uint8_t> unit(100, 0x11);
    // Room for one subtitle and a half: the second is cut and the count stays at one.
    FillingDevice sub(2048 + 1000);
    std::uint32_t packCount = 0;
    WriteSubtitlePacks(sub, unit, 25, FrameRate(25000), 1, packCount);
    EXPECT_EQ(packCount, 1u);
    try {
        WriteSubtitlePacks(sub, unit, 50, FrameRate(25000), 2, packCount);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "No space left on device");
    }
    EXPECT_EQ(packCount, 1u);
    EXPECT_EQ(sub.data().left(2048),
              QByteArray::fromRawData(reinterpret_cast<const char*>(
                                          BuildSubtitlePacks(unit, 25, FrameRate(25000), 1).data()),
                                      2048));

    // The index: the header fits, the second line does not.
    const std::string header = IndexHeaderText(FrameRate(25000), PaletteMode::PcOnly, {}, "en");
    FillingDevice idx(qint64(header.size()) + 50);
    WriteIndexHeader(idx, FrameRate(25000), PaletteMode::PcOnly, {}, "en");
    WriteIndexEntry(idx, 25, FrameRate(25000), 0);
    try {
        WriteIndexEntry(idx, 50, FrameRate(25000), 1);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "No space left on device");
    }
    EXPECT_TRUE(idx.data().startsWith(QByteArray::fromStdString(header) +
                                      "timestamp: 00:00:01:000, filepos: 000000000\r\n"));
}

namespace {

struct Converted
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// A runtime folder of its own, so that standard error holds nothing but the converter's
// messages.
QProcessEnvironment converterEnvironment()
{
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    return environment;
}

// Runs lumelle-convert; `fileSizeLimit` > 0 makes every file it writes stop growing at that
// many bytes, as a disk that fills up does.
Converted convert(const QStringList& args, qint64 fileSizeLimit = 0)
{
    QProcess p;
    if (fileSizeLimit > 0) {
        p.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            // The write then fails with EFBIG instead of ending the process.
            ::signal(SIGXFSZ, SIG_IGN);
        });
    }
    p.setProcessEnvironment(converterEnvironment());
    p.start(QStringLiteral(LUMELLE_CONVERT_BIN), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

} // namespace

TEST_F(BadInput, DiskThatFillsDuringARunLeavesTheEarlierPairAsItWas)
{
    const QString path = write("film.srt", tenSubtitles());
    ASSERT_EQ(convert({path}).exitCode, 0);
    const QStringList before = {readAll(m_dir.filePath("film.idx")),
                                readAll(m_dir.filePath("film.sub")),
                                readAll(m_dir.filePath("Lumelle_Help_File.txt"))};

    // Room for the index and two packs and a half: the third subtitle fills the disk.
    write("film.srt", tenSubtitles().replace("Line", "Text"));
    const Converted run = convert({path}, 2 * 2048 + 1000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, (path + ": Cannot write file \"" + m_dir.filePath("film.sub") +
                        "\". File too large\n")
                           .toLocal8Bit());
    EXPECT_EQ(QStringList({readAll(m_dir.filePath("film.idx")), readAll(m_dir.filePath("film.sub")),
                           readAll(m_dir.filePath("Lumelle_Help_File.txt"))}),
              before);
    EXPECT_EQ(QDir(m_dir.path()).entryList({"*.part"}, QDir::Files), QStringList())
        << "the temporary files are removed";
}

TEST_F(BadInput, StandardOutputThatRefusesWritesFailsTheRun)
{
    const QString path = write("film.srt", tenSubtitles());
    const auto run = [](const QStringList& args, bool closed) {
        QProcess p;
        p.setProcessEnvironment(converterEnvironment());
        if (closed)
            p.setChildProcessModifier([] { ::close(1); });
        else
            p.setStandardOutputFile(QStringLiteral("/dev/full"));
        p.start(QStringLiteral(LUMELLE_CONVERT_BIN), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        return Converted{p.exitCode(), {}, p.readAllStandardError()};
    };
    const QByteArray full = "lumelle-convert: cannot write to standard output: No space left on "
                            "device\n";
    for (const QStringList& args : {QStringList{path}, QStringList{"--json", path},
                                    QStringList{"--list", path}, QStringList{"--version"}}) {
        const Converted toFull = run(args, false);
        EXPECT_EQ(toFull.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(toFull.err.endsWith(full)) << toFull.err.constData();
    }
    const Converted closed = run({"--json", path}, true);
    EXPECT_EQ(closed.exitCode, 1);
    EXPECT_EQ(closed.err,
              "lumelle-convert: cannot write to standard output: Bad file descriptor\n");
    EXPECT_EQ(checkPairIsWhole(m_dir.filePath("film.idx"), m_dir.filePath("film.sub")), 10)
        << "nothing printed reached the pair";
    // Quiet, nothing is printed and nothing fails.
    EXPECT_EQ(run({"-q", path}, false).exitCode, 0);
}

TEST_F(BadInput, ConverterSaysWhatIsWrongWithAnInputOrAnEmptyOutputName)
{
    const QString path = write("film.srt", tenSubtitles());
    const Converted empty = convert({"-o", "", path});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(
        empty.err.startsWith("lumelle-convert: --output needs a folder name, not an empty one\n"));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("film.idx")));
    const Converted dash = convert({"-o", "-", path});
    EXPECT_EQ(dash.exitCode, 2);
    EXPECT_TRUE(dash.err.startsWith("lumelle-convert: --output - cannot write to standard output"))
        << dash.err.toStdString();
    EXPECT_FALSE(QFile::exists(m_dir.filePath("film.idx")));
    EXPECT_FALSE(QFileInfo::exists("-")) << "no folder named '-'";

    const QString fifo = m_dir.filePath("pipe.srt");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString bare = m_dir.filePath("bare");
    ASSERT_TRUE(QDir().mkpath(bare + "/below"));
    const Converted odd = convert({bare, fifo, "/dev/null"});
    EXPECT_EQ(odd.exitCode, 1);
    EXPECT_EQ(odd.err, (bare +
                        ": is a folder without subtitle files (--recursive looks in its "
                        "subfolders)\n" +
                        fifo + ": is not a regular file\n/dev/null: is not a regular file\n")
                           .toLocal8Bit());

    // A line feed in a name cannot forge a line of the output.
    const QString forged = write("a\nb.srt", tenSubtitles());
    const Converted named = convert({forged});
    EXPECT_EQ(named.exitCode, 0);
    EXPECT_EQ(named.out.count('\n'), 1) << named.out.constData();
    EXPECT_TRUE(named.out.startsWith((m_dir.path() + "/a\\x0Ab.srt: 10 subtitles").toLocal8Bit()));
}

TEST_F(BadInput, CaseOnlyNamesOnAFatStickAreOneOutput)
{
    // A FAT image under fusefat, which gives each spelling of a name its own inode.
    const QString image = m_dir.filePath("stick.img");
    const QString stick = m_dir.filePath("stick");
    QDir().mkpath(stick);
    const auto ran = [](const QString& program, const QStringList& args) {
        QProcess p;
        p.start(program, args);
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit &&
               p.exitCode() == 0;
    };
    if (!ran("mkfs.vfat", {"-C", image, "8192"}) || !ran("fusefat", {"-o", "rw+", image, stick}))
        GTEST_SKIP() << "no FAT stick here: mkfs.vfat and fusefat (Debian dosfstools, fusefat) "
                        "and /dev/fuse are needed";
    struct Unmount
    {
        QString folder;
        ~Unmount() { QProcess::execute("fusermount", {"-u", folder}); }
    } unmount{stick};

    EXPECT_TRUE(FolderIgnoresCase(stick));
    EXPECT_FALSE(FolderIgnoresCase(m_dir.path()));
    QDir(m_dir.path()).mkpath("a");
    QDir(m_dir.path()).mkpath("b");
    const QString upper = write("a/Film.srt", tenSubtitles());
    const QString lower = write("b/film.srt", tenSubtitles().replace("Line", "Other"));
    const Converted run = convert({"-o", stick, upper, lower});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains((lower + ": refused: " + upper).toLocal8Bit()))
        << run.err.constData();
    EXPECT_EQ(readAll(stick + "/Film.idx").count("timestamp: "), 10);
    EXPECT_EQ(filesIn(stick), QStringList({"Film.idx", "Film.sub", "Lumelle_Help_File.txt"}));
}

TEST_F(BadInput, ConverterNamesTheFolderThatRefusesFiles)
{
    const QString path = write("film.srt", tenSubtitles());
    const QString readOnly = m_dir.filePath("read-only");
    ASSERT_TRUE(QFile::link("/sys", readOnly));
    const Converted run = convert({"--output", readOnly, path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, (path + ": Cannot create file \"" + readOnly + "/film.idx\". " +
                        reasonCreateFails(readOnly + "/film.idx") + "\n")
                           .toLocal8Bit());
}

TEST_F(BadInput, ConverterPrintsAMessageWithANulByteWhole)
{
    // The only entry is skipped, so nothing is converted.
    const QString path = write("nul.sub", bytesOf("{1\0002}{3}A\n"));
    const Converted run = convert({path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, path.toLocal8Bit() +
                           ":1: warning: skipped: '1\\x002' is not a valid integer value\n" +
                           path.toLocal8Bit() + ": 1 entry skipped\n" + path.toLocal8Bit() +
                           ": no subtitle could be read\n")
        << "the NUL byte is shown, and the message goes on after it";
    EXPECT_FALSE(QFile::exists(m_dir.filePath("nul_vobsub.idx")));
}

TEST_F(BadInput, SettingsFileTruncatedOrHoldingGarbage)
{
    // What the store understands of a damaged file is used, the rest stays at the defaults,
    // and the file is never written.
    const QString srt = write("film.srt", tenSubtitles());
    const QString settingsData = QStringLiteral(LUMELLE_TEST_DATA "/settings/");
    const QString garbage = write("garbage.ini", readAll(settingsData + "garbage.bin"));
    const QString truncated = write("truncated.ini", readAll(settingsData + "truncated.ini"));
    const QString empty = write("empty.ini", QByteArray());
    for (const char* folder : {"plain", "garbage", "truncated", "empty"})
        QDir(m_dir.path()).mkdir(folder);

    ASSERT_EQ(convert({"--output", m_dir.filePath("plain"), srt}).exitCode, 0);
    const QByteArray plainSub = readAll(m_dir.filePath("plain/film.sub"));
    const QByteArray plainIdx = readAll(m_dir.filePath("plain/film.idx"));
    ASSERT_EQ(plainSub.size(), 10 * 2048);

    for (const QString& settings : {garbage, empty}) {
        const QByteArray before = readAll(settings);
        const QString out = m_dir.filePath(QFileInfo(settings).baseName());
        const Converted run = convert({"--settings", settings, "--output", out, srt});
        EXPECT_EQ(run.exitCode, 0) << run.err.constData();
        EXPECT_EQ(run.err, QByteArray());
        EXPECT_EQ(readAll(out + "/film.sub"), plainSub) << "nothing usable: the defaults";
        EXPECT_EQ(readAll(out + "/film.idx"), plainIdx);
        EXPECT_EQ(readAll(settings), before);
    }

    // The truncated file's one whole value (the font list index) is taken; the cut line is not.
    ConvertOptions options;
    QString error;
    ASSERT_TRUE(ApplySettingsFile(truncated, options, error)) << error.toStdString();
    EXPECT_EQ(options.settings.fontSize, RenderSettings().fontSize);
    const QByteArray before = readAll(truncated);
    const Converted run =
        convert({"--settings", truncated, "--output", m_dir.filePath("truncated"), srt});
    EXPECT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_EQ(checkPairIsWhole(m_dir.filePath("truncated/film.idx"),
                               m_dir.filePath("truncated/film.sub")),
              10);
    EXPECT_EQ(readAll(truncated), before);

    // Not a file at all.
    const Converted folder = convert({"--settings", m_dir.filePath("plain"), srt});
    EXPECT_EQ(folder.exitCode, 2);
    EXPECT_TRUE(folder.err.startsWith("lumelle-convert: settings file " +
                                      m_dir.filePath("plain").toLocal8Bit() + " "))
        << folder.err.constData();
}

TEST(BadInputQuotes, HugeLineIsQuotedShortInMessagesAndRows)
{
    // A refused line of a million characters is quoted by its first 500 and "...": the
    // message box and the list row stay usable.
    const std::string huge(1000000, 'W');
    const QString message = TooLongMessage(huge, "second", kTooLongAfterLoad);
    EXPECT_EQ(message, "The string \r" + QString(500, 'W') + "...\rsecond\r" +
                           QString::fromLatin1(kTooLongAfterLoad));
    // Ordinary lines are quoted whole.
    const std::string ordinary(120, 'x');
    EXPECT_EQ(ShownLine(ordinary), QString(120, 'x'));
    EXPECT_EQ(ShownLine(std::string(500, 'y')), QString(500, 'y'));
    EXPECT_EQ(ShownLine(std::string(501, 'y')), QString(500, 'y') + "...");
}

namespace {

// Every file this process writes stops growing at `bytes` while this lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        ::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    sighandler_t m_oldHandler;
};

// Starts lumelle-convert with `args`.
void startConverter(QProcess& p, const QStringList& args)
{
    p.setProcessEnvironment(converterEnvironment());
    p.start(QStringLiteral(LUMELLE_CONVERT_BIN), args);
    ASSERT_TRUE(p.waitForStarted());
}

// Waits until the converter catches SIGINT (its handler is in place), as /proc shows.
bool waitForInterruptHandler(const QProcess& p)
{
    const QString status = QStringLiteral("/proc/%1/status").arg(p.processId());
    for (int i = 0; i < 1000; ++i) {
        for (const QByteArray& line : readAll(status).split('\n')) {
            if (line.startsWith("SigCgt:") && (line.mid(7).trimmed().toULongLong(nullptr, 16) & 2))
                return true;
        }
        QThread::msleep(5);
    }
    return false;
}

} // namespace

TEST_F(BadInput, SavesThatHitAFullDiskKeepTheEarlierFile)
{
    // The settings file: the store's write fails, says so, and the earlier file stays.
    const QByteArray settings = "[Form1]\r\nComboBoxFontSize_ItemIndex=3\r\n";
    const QString ini = write("Lumelle_Settings.ini", settings);
    platform::IniStore store;
    ASSERT_TRUE(store.load(ini));
    for (int i = 0; i < 200; ++i)
        store.writeInteger(QStringLiteral("Form1\\Key%1").arg(i), i);
    QString error;
    {
        const FileSizeLimit full(512);
        EXPECT_FALSE(store.write(&error));
    }
    EXPECT_TRUE(error.startsWith("The settings file " + ini + " could not be written: "))
        << error.toStdString();
    EXPECT_EQ(readAll(ini), settings);

    // The help file: an error naming it, the earlier help file kept.
    const QString help = write("Lumelle_Help_File.txt", "All Done !!! Important Note: earlier");
    const std::string text(4000, 'x');
    try {
        const FileSizeLimit full(512);
        WriteHelpFile(help, text);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Cannot write file \"" + help + "\". File too large");
    }
    EXPECT_EQ(readAll(help), "All Done !!! Important Note: earlier");
    EXPECT_EQ(filesIn(m_dir.path()),
              QStringList({"Lumelle_Help_File.txt", "Lumelle_Settings.ini"}));
}

TEST_F(BadInput, NeighboursAndInputsAreNeverWrittenOver)
{
    // A MicroDVD film.sub beside film.srt, also given as the second input: both kept, the
    // pairs go elsewhere and the output says so.
    const QByteArray microDvd = "{25}{50}Micro\n";
    const QString srt = write("film.srt", tenSubtitles());
    const QString sub = write("film.sub", microDvd);
    const Converted both = convert({srt, sub});
    EXPECT_EQ(both.exitCode, 1) << both.err.constData();
    EXPECT_TRUE(
        both.err.contains((srt + ": " + sub +
                           " was left as it is: it is an input or an earlier output of this "
                           "run. The pair was written as " +
                           m_dir.filePath("film_vobsub.idx"))
                              .toLocal8Bit()))
        << both.err.constData();
    EXPECT_TRUE(both.err.contains((sub + ": refused: " + srt + " would give the same output " +
                                   m_dir.filePath("film_vobsub.idx"))
                                      .toLocal8Bit()))
        << both.err.constData();
    EXPECT_EQ(readAll(sub), microDvd);
    EXPECT_EQ(
        checkPairIsWhole(m_dir.filePath("film_vobsub.idx"), m_dir.filePath("film_vobsub.sub")), 10);

    // An input named like the help file is not replaced by the help text.
    const QString helpNamed = write("Lumelle_Help_File.txt", microDvd);
    const Converted help = convert({helpNamed});
    EXPECT_EQ(help.exitCode, 0) << help.err.constData();
    EXPECT_EQ(readAll(helpNamed), microDvd);
    EXPECT_TRUE(help.err.contains("it is an input or an earlier output of this run."));

    // An .idx that is a symbolic or hard link to the input.
    QDir(m_dir.path()).mkdir("links");
    const QString linked = write("links/a.srt", tenSubtitles());
    ASSERT_TRUE(QFile::link(linked, m_dir.filePath("links/a.idx")));
    const QString hard = write("links/b.srt", tenSubtitles());
    ASSERT_EQ(::link(QFile::encodeName(hard).constData(),
                     QFile::encodeName(m_dir.filePath("links/b.idx")).constData()),
              0);
    const Converted links = convert({linked, hard});
    EXPECT_EQ(links.exitCode, 0) << links.err.constData();
    EXPECT_EQ(readAll(linked), tenSubtitles());
    EXPECT_EQ(readAll(hard), tenSubtitles());
    EXPECT_TRUE(QFile::exists(m_dir.filePath("links/a_vobsub.idx")));
    EXPECT_TRUE(QFile::exists(m_dir.filePath("links/b_vobsub.idx")));
    // The symbolic link is the input itself, so the pair is named aside from the start, as
    // beside a MicroDVD .sub; the hard link is found to be the input when it is checked.
    EXPECT_EQ(links.err, (hard + ": " + m_dir.filePath("links/b.idx") +
                          " was left as it is: it is an input or an earlier output of this run. "
                          "The pair was written as " +
                          m_dir.filePath("links/b_vobsub.idx") + " and " +
                          m_dir.filePath("links/b_vobsub.sub") + ".\n")
                             .toLocal8Bit());
    // Inputs that start as a DVD .sup does ("SP", then a subtitle): only the check that the
    // link leads to the input keeps them.
    const QByteArray sp = "SP\n\n1\n00:00:01,000 --> 00:00:02,000\nHi\n";
    const QString spLinked = write("links/s.srt", sp);
    ASSERT_TRUE(QFile::link(spLinked, m_dir.filePath("links/s.sup")));
    const QString spHard = write("links/h.srt", sp);
    ASSERT_EQ(::link(QFile::encodeName(spHard).constData(),
                     QFile::encodeName(m_dir.filePath("links/h.sup")).constData()),
              0);
    const Converted sup = convert({"--format", "dvd-sup", spLinked, spHard});
    EXPECT_EQ(readAll(spLinked), sp);
    EXPECT_EQ(readAll(spHard), sp);
    EXPECT_EQ(readAll(m_dir.filePath("links/h.sup")), sp);
    EXPECT_TRUE(sup.err.contains((spHard + ": " + m_dir.filePath("links/h.sup") +
                                  " was left as it is: it is an input or an earlier output of "
                                  "this run. The .sup file was written as " +
                                  m_dir.filePath("links/h_dvd.sup") + ".")
                                     .toLocal8Bit()))
        << sup.err.constData();
    EXPECT_FALSE(sup.err.contains("links/s.sup")) << sup.err.constData();
    EXPECT_TRUE(QFile::exists(m_dir.filePath("links/s_dvd.sup")));

    // Two inputs of one name into one folder: the second is refused, naming both.
    QDir(m_dir.path()).mkpath("x");
    QDir(m_dir.path()).mkpath("out");
    const QString other = write("x/film.srt", tenSubtitles().replace("Line", "Other"));
    const Converted same = convert({"--output", m_dir.filePath("out"), srt, other});
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_EQ(same.err, (other + ": refused: " + srt + " would give the same output " +
                         m_dir.filePath("out/film.idx") + "\n")
                            .toLocal8Bit());
    EXPECT_EQ(checkPairIsWhole(m_dir.filePath("out/film.idx"), m_dir.filePath("out/film.sub")), 10);

    // The plan decides, not the outcome: after a first file that fails, the second is still
    // refused, so the pair never depends on which file happened to be readable.
    QDir(m_dir.path()).mkpath("y");
    const QString unreadable = write("y/film.srt", "no subtitle in here\n");
    const Converted failed = convert({"--output", m_dir.filePath("out2"), unreadable, other});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains((other + ": refused: " + unreadable).toLocal8Bit()))
        << failed.err.constData();
    EXPECT_FALSE(QFile::exists(m_dir.filePath("out2/film.idx")));
}

TEST_F(BadInput, KillOrCtrlCWhileReadingLeavesTheEarlierPair)
{
    const QString path = write("film.srt", tenSubtitles());
    ASSERT_EQ(convert({path}).exitCode, 0);
    const QByteArray idx = readAll(m_dir.filePath("film.idx"));
    const QByteArray sub = readAll(m_dir.filePath("film.sub"));

    // Ctrl+C while a long file is read and checked: stops at once, nothing replaced.
    write("film.srt", numberedSrt(300000, 500, "\n"));
    QProcess reading;
    startConverter(reading, {path});
    ASSERT_TRUE(waitForInterruptHandler(reading));
    ::kill(pid_t(reading.processId()), SIGINT);
    EXPECT_TRUE(reading.waitForFinished(1500)) << "the stop was not honoured at once";
    reading.waitForFinished(60000);
    EXPECT_EQ(reading.exitCode(), 1);
    EXPECT_EQ(reading.readAllStandardError(),
              ("Operation Aborted\n" + path + ": not converted\n").toLocal8Bit());

    // SIGTERM (or Ctrl+C) while writing: the run stops, keeps the earlier pair and removes
    // its temporary files.
    write("film.srt", numberedSrt(20000, 500, "\n"));
    QProcess stopped;
    startConverter(stopped, {"--jobs", "1", path});
    ASSERT_TRUE(waitForFile(m_dir.path(), "film.sub.*.part", 10 * 2048));
    ::kill(pid_t(stopped.processId()), SIGTERM);
    stopped.waitForFinished(60000);
    EXPECT_EQ(stopped.exitCode(), 1);
    EXPECT_EQ(stopped.readAllStandardError(),
              (path + ": Operation Aborted\nNothing was written; the earlier files stay as they "
                      "were.\n")
                  .toLocal8Bit());
    EXPECT_EQ(readAll(m_dir.filePath("film.idx")), idx);
    EXPECT_EQ(readAll(m_dir.filePath("film.sub")), sub);
    EXPECT_EQ(filesIn(m_dir.path()),
              QStringList({"film.idx", "film.srt", "film.sub", "Lumelle_Help_File.txt"}));

    // Killed while writing: the earlier pair stays, at most temporary files are left.
    QProcess writing;
    startConverter(writing, {path});
    ASSERT_TRUE(waitForFile(m_dir.path(), "film.sub.*.part", 10 * 2048));
    ::kill(pid_t(writing.processId()), SIGKILL);
    writing.waitForFinished(60000);
    EXPECT_EQ(readAll(m_dir.filePath("film.idx")), idx);
    EXPECT_EQ(readAll(m_dir.filePath("film.sub")), sub);
    for (const QString& name : filesIn(m_dir.path()))
        EXPECT_TRUE(name.endsWith(".part") || name.startsWith("film.") ||
                    name == "Lumelle_Help_File.txt" || name.endsWith(".lock"))
            << name.toStdString();

    // The next run on the pair removes what the killed one left.
    write("film.srt", tenSubtitles());
    ASSERT_EQ(convert({path}).exitCode, 0);
    EXPECT_EQ(filesIn(m_dir.path()),
              QStringList({"film.idx", "film.srt", "film.sub", "Lumelle_Help_File.txt"}));
}

TEST_F(BadInput, TheLockFollowsNoLinkAndNeedsNoTemporaryFolder)
{
    const QString path = write("film.srt", tenSubtitles());
    // A link planted where the lock goes is not followed: the run is refused, naming the pair.
    const QString victim = m_dir.filePath("victim");
    ASSERT_TRUE(QFile::link(victim, LockPathFor(m_dir.filePath("film.idx"))));
    const Converted planted = convert({path});
    EXPECT_EQ(planted.exitCode, 1);
    EXPECT_EQ(planted.err, (path + ": Cannot create file \"" + m_dir.filePath("film.idx") +
                            "\". Too many levels of symbolic links\n")
                               .toLocal8Bit());
    EXPECT_FALSE(QFileInfo::exists(victim));
    ASSERT_TRUE(QFile::remove(LockPathFor(m_dir.filePath("film.idx"))));

    // A temporary folder that takes no files does not matter, and no lock file stays.
    QProcess run;
    QProcessEnvironment environment = converterEnvironment();
    environment.insert("TMPDIR", "/sys");
    run.setProcessEnvironment(environment);
    run.start(QStringLiteral(LUMELLE_CONVERT_BIN), {"-q", path});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().constData();
    EXPECT_EQ(filesIn(m_dir.path()),
              QStringList({"film.idx", "film.srt", "film.sub", "Lumelle_Help_File.txt"}));
}

TEST_F(BadInput, CtrlCDuringABatchNamesTheFilesNotConverted)
{
    const QString first = write("a.srt", tenSubtitles());
    const QString slow = write("b.srt", numberedSrt(300000, 500, "\n"));
    const QString last = write("c.srt", tenSubtitles());
    QProcess batch;
    startConverter(batch, {"-q", "--json", first, slow, last});
    // The first pair is in place; the long second file is being read.
    ASSERT_TRUE(waitForFile(m_dir.path(), "Lumelle_Help_File.txt", 1));
    ::kill(pid_t(batch.processId()), SIGINT);
    ASSERT_TRUE(batch.waitForFinished(60000));
    EXPECT_EQ(batch.exitCode(), 1);
    EXPECT_EQ(batch.readAllStandardError(),
              ("Operation Aborted\n" + slow + ": not converted\n" + last + ": not converted\n")
                  .toLocal8Bit());
    const QJsonArray files =
        QJsonDocument::fromJson(batch.readAllStandardOutput()).object().value("files").toArray();
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(files[0].toObject().value("status"), 0);
    EXPECT_FALSE(files[0].toObject().contains("aborted"));
    for (const int i : {1, 2}) {
        EXPECT_EQ(files[i].toObject().value("status"), 1);
        EXPECT_EQ(files[i].toObject().value("aborted"), true);
    }
    EXPECT_EQ(files[2].toObject().value("file"), last);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("c.idx")));
}

TEST_F(BadInput, SecondRunOnThePairIsRefusedAndTheFirstStaysWhole)
{
    // Long enough, on one thread, for the second run to start while the first still writes.
    const QString path = write("film.srt", numberedSrt(30000, 500, "\n"));
    QProcess first;
    startConverter(first, {"--jobs", "1", path});
    ASSERT_TRUE(waitForFile(m_dir.path(), "film.sub.*.part", 2048));
    const Converted second = convert({path});
    ASSERT_TRUE(first.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().constData();
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.err, (path + ": Cannot create file \"" + m_dir.filePath("film.idx") +
                           "\". Another run is writing this pair; try again when it is done.\n")
                              .toLocal8Bit());
    EXPECT_EQ(checkPairIsWhole(m_dir.filePath("film.idx"), m_dir.filePath("film.sub")), 30000);
    QProcess probe;
    probe.start("ffprobe",
                {"-v", "error", "-count_packets", "-show_entries", "stream=nb_read_packets", "-of",
                 "csv=p=0", m_dir.filePath("film.idx")});
    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.readAllStandardError(), QByteArray());
    EXPECT_EQ(probe.readAllStandardOutput(), "30000\n");
}

TEST_F(BadInput, FifosDevicesAndOversizedSettingsAreNotRead)
{
    const QString srt = write("film.srt", tenSubtitles());
    const QString fifo = m_dir.filePath("fifo.ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    const QString zero = m_dir.filePath("zero.ini");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    for (const QString& settings : {fifo, zero, m_dir.path()}) {
        const Converted run = convert({"--settings", settings, srt});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.err, ("lumelle-convert: settings file " + settings +
                            " is not a regular file\nTry 'lumelle-convert --help'.\n")
                               .toLocal8Bit());
    }

    // The window's store: a FIFO or a file of more than 4 MB is refused and never written.
    const QByteArray huge = "[Form1]\r\n" + QByteArray(5 << 20, ';');
    const QString big = write("big.ini", huge);
    for (const QString& file : {fifo, big}) {
        platform::IniStore store;
        QString error;
        EXPECT_FALSE(store.load(file, &error));
        EXPECT_TRUE(store.isReadOnly());
        store.writeInteger("Form1\\Key", 1);
        EXPECT_TRUE(store.write());
        EXPECT_TRUE(error.startsWith("The settings file " + file + " could not be read: it is "))
            << error.toStdString();
    }
    EXPECT_EQ(readAll(big), huge);
}

TEST_F(BadInput, LineLongerThanAnySubtitleIsRefusedWithItsNumber)
{
    // A sparse file of 30 GB is refused by its size, not by running out of memory.
    const QString sparse = write("sparse.srt", "1\n00:00:01,000 --> 00:00:02,000\nA\n");
    ASSERT_EQ(::truncate(QFile::encodeName(sparse).constData(), off_t(30) << 30), 0);
    try {
        TSubtitle list;
        list.LoadFromFile(sparse, true, kRate, 0);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  "The file is 30720 MB: a subtitle file of more than 1024 MB is not read.");
    }
    QFile::remove(sparse);

    QByteArray bytes = "{1}{2}short\n{3}{4}";
    bytes += QByteArray(qsizetype(kMaxLineBytes) + 1, 'W');
    const QString path = write("huge.sub", bytes);
    bytes.clear();
    TSubtitle list;
    try {
        list.LoadFromFile(path, true, kRate, 0);
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Line 2 is longer than 64 MB: no subtitle could hold it.");
    }
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(BadInput, RunningOutOfMemoryIsAMessageAndAFailure)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    const QString path = write("long.sub", "{1}{2}" + QByteArray(60 << 20, 'W') + "\n");
    QProcess p;
    p.setProcessEnvironment(converterEnvironment());
    p.setChildProcessModifier([] {
        const rlimit limit{rlim_t(400) << 20, rlim_t(400) << 20};
        ::setrlimit(RLIMIT_AS, &limit);
    });
    p.start(QStringLiteral(LUMELLE_CONVERT_BIN), {"--list", path});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_EQ(p.readAllStandardError(),
              path.toLocal8Bit() + ": Not enough memory for this file.\n");
}

namespace {

// A script of `events` (Dialogue lines without their "Dialogue: " prefix) at PlayRes 720x576.
QByteArray assScript(const QByteArray& scriptInfo, const QByteArray& events)
{
    QByteArray script = "[Script Info]\nScriptType: v4.00+\n" + scriptInfo +
                        "\n[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, "
                        "Bold, Italic, Alignment, MarginL, MarginR, MarginV\n"
                        "Style: Default,DejaVu Sans,40,&H00FFFFFF,0,0,2,10,10,20\n\n"
                        "[Events]\nFormat: Layer, Start, End, Style, Text\n";
    for (const QByteArray& event : events.split('\n'))
        if (!event.isEmpty())
            script += "Dialogue: " + event + "\n";
    return script;
}

} // namespace

TEST_F(BadInput, ControlCharactersNeverReachAnOutputLine)
{
    const QString srt = write("movie.en.srt", tenSubtitles());
    const Converted run = convert({"--stream", srt, "--alt", "x\nid: de, index: 7"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(R"(--alt "x\nid: de, index: 7" holds a control character)"))
        << run.err.toStdString();
    EXPECT_EQ(filesIn(m_dir.path()), QStringList{"movie.en.srt"});
    // The index refuses such a name from any caller; so does the BDN index.
    EXPECT_THROW(IndexStreamText({"en", "English", "x\rid: de"}, 0), Error);
    BluRayOptions options;
    options.language = QStringLiteral("e\nn");
    EXPECT_THROW(BdnXmlWriter::IndexText(options, "film", {}), Error);
}

TEST_F(BadInput, AnAssEventPastTheLatestStartIsSkippedAsInEveryReader)
{
    const QString path = write("late.ass", assScript("PlayResX: 720\nPlayResY: 576",
                                                     "0,0:00:01.00,0:00:02.00,Default,Early\n"
                                                     "0,27:00:00.00,27:00:01.00,Default,Too late"));
    for (const QStringList& form : {QStringList{}, QStringList{"--format", "pgs"}}) {
        const Converted run = convert(form + QStringList{path});
        EXPECT_EQ(run.exitCode, kEntriesSkipped) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("subtitle 2: starts later than a subtitle stream can hold"))
            << run.err.toStdString();
    }
    EXPECT_EQ(checkPairIsWhole(m_dir.filePath("late.idx"), m_dir.filePath("late.sub")), 1);
}

TEST_F(BadInput, AnAssEventTooLargeToDrawIsSkippedWithinAGigabyte)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    const QByteArray events = "0,0:00:01.00,0:00:02.00,Default,{\\fs100000}Huge\n"
                              "0,0:00:03.00,0:00:04.00,Default,Small";
    const QString huge = write("huge.ass", assScript("PlayResX: 720\nPlayResY: 576", events));
    const QString tiny = write("tiny.ass", assScript("PlayResX: 1\nPlayResY: 1", events));
    const struct
    {
        QString path;
        QByteArray said;
        int pictures;
    } cases[] = {
        {huge, "Event 1 was skipped: its letters would be 100000 pixels high or wide", 1},
        {tiny, "Event 2 was skipped: its letters would be 28800 pixels high or wide", 0},
    };
    for (const auto& c : cases) {
        QProcess p;
        p.setProcessEnvironment(converterEnvironment());
        p.setChildProcessModifier([] {
            const rlimit limit{rlim_t(1) << 30, rlim_t(1) << 30};
            ::setrlimit(RLIMIT_AS, &limit);
        });
        p.start(QStringLiteral(LUMELLE_CONVERT_BIN), {c.path});
        ASSERT_TRUE(p.waitForFinished(60000));
        const QByteArray err = p.readAllStandardError();
        EXPECT_EQ(p.exitCode(), kEntriesSkipped) << err.toStdString();
        EXPECT_TRUE(err.contains(c.said)) << err.toStdString();
        const QString idx = ReplaceExtension(c.path, ".idx");
        EXPECT_EQ(checkPairIsWhole(idx, ReplaceExtension(c.path, ".sub")), c.pictures);
    }
}

namespace {

// Checks a BDN folder: its index names exactly the PNG pictures in it, each of the size its
// entry gives. Returns the number of pictures.
int checkBdnSetIsWhole(const QString& folder, const QString& xmlName)
{
    QFile xml;
    EXPECT_TRUE(OpenNamed(xml, QDir(folder).filePath(xmlName), QIODevice::ReadOnly));
    const QString index = QString::fromUtf8(xml.readAll());
    static const QRegularExpression graphic(
        QString::fromLatin1(R"re(<Graphic Width="(\d+)" Height="(\d+)"[^>]*>([^<]+)</Graphic>)re"));
    QStringList named;
    for (const auto& m : graphic.globalMatch(index)) {
        named << m.captured(3);
        QFile png;
        EXPECT_TRUE(OpenNamed(png, QDir(folder).filePath(m.captured(3)), QIODevice::ReadOnly))
            << m.captured(3).toStdString();
        const QByteArray head = png.read(24); // signature, IHDR length and type, width, height
        const auto be32 = [&head](int at) {
            return qFromBigEndian<quint32>(head.constData() + at);
        };
        EXPECT_EQ(head.size() == 24 ? be32(16) : 0, m.captured(1).toUInt())
            << m.captured(3).toStdString();
        EXPECT_EQ(head.size() == 24 ? be32(20) : 0, m.captured(2).toUInt());
    }
    QStringList pictures = NamesIn(folder).filter(QStringLiteral(".png"));
    pictures.sort();
    named.sort();
    EXPECT_EQ(pictures, named) << "pictures in the folder that the index does not name";
    return int(named.size());
}

QByteArray manySubtitles(int count, const QByteArray& text)
{
    QByteArray srt;
    for (int i = 0; i < count; ++i)
        srt += QByteArray::number(i + 1) + "\n" +
               QString::asprintf("00:%02d:%02d,000 --> 00:%02d:%02d,500\n", i / 30, 2 * (i % 30),
                                 i / 30, 2 * (i % 30) + 1)
                   .toLatin1() +
               text + " " + QByteArray::number(i) + "\n\n";
    return srt;
}

} // namespace

TEST_F(BadInput, BdnSetGoesInPlaceWholeUnderNamesItsIndexGives)
{
    // A name that is not UTF-8: the pictures are named as the index names them. The shell
    // hands the converter the name's own bytes.
    const QString path = m_dir.filePath(FromSystemName("caf\xe9.srt"));
    const auto writeFilm = [&path](const QByteArray& text) {
        QFile file;
        ASSERT_TRUE(OpenNamed(file, path, QIODevice::WriteOnly));
        file.write(manySubtitles(150, text));
    };
    const auto start = [this](QProcess& p) {
        p.setProcessEnvironment(converterEnvironment());
        p.setWorkingDirectory(m_dir.path());
        p.start("/bin/sh", {"-c", "exec \"$0\" --format bdn-xml -j 1 caf?.srt",
                            QStringLiteral(LUMELLE_CONVERT_BIN)});
        EXPECT_TRUE(p.waitForStarted());
    };
    const auto run = [&start](QByteArray* err = nullptr) {
        QProcess p;
        start(p);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (err)
            *err = p.readAllStandardError();
        return p.exitCode();
    };
    writeFilm("Short");
    const QString folder = m_dir.filePath(FromSystemName("caf\xe9_bdn"));
    const QString xmlName = FromSystemName("caf\xe9.xml");
    ASSERT_EQ(run(), 0);
    ASSERT_EQ(checkBdnSetIsWhole(folder, xmlName), 150);
    EXPECT_TRUE(NamesIn(folder).contains("caf__0001.png"));

    // Killed at any moment of a run with other pictures, the folder holds one whole set.
    writeFilm("A much longer line of text");
    for (int delay = 150; delay <= 750; delay += 150) {
        QProcess p;
        start(p);
        QThread::msleep(delay);
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished();
        EXPECT_EQ(checkBdnSetIsWhole(folder, xmlName), 150) << "killed after " << delay << " ms";
    }
    ASSERT_EQ(run(), 0);
    EXPECT_EQ(checkBdnSetIsWhole(folder, xmlName), 150);
    EXPECT_EQ(NamesIn(m_dir.path()).filter(".part"), QStringList()) << "leftovers are removed";

    // A folder holding a file of its owner's is never replaced.
    {
        QFile notes;
        ASSERT_TRUE(OpenNamed(notes, QDir(folder).filePath("notes.txt"), QIODevice::WriteOnly));
        notes.write("mine");
    }
    QByteArray err;
    EXPECT_EQ(run(&err), 1);
    EXPECT_TRUE(err.contains("it holds \"notes.txt\", which is not a file of the set"))
        << err.toStdString();
    QFile notes;
    ASSERT_TRUE(OpenNamed(notes, QDir(folder).filePath("notes.txt"), QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "mine");
}
