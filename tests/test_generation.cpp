#include "GenerationRequests.h"
#include "TestFiles.h"
#include "convert/GenerationRun.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

int lineCount(const QByteArray& text)
{
    return int(text.count("\r\n"));
}

// Three subtitles read from a SubRip file in a temporary folder, ready to run.
class Generation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_srt = m_dir.filePath("movie.srt");
        writeFile(m_srt, "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
                         "2\n00:00:03,000 --> 00:00:04,000\nTwo\nlines\n\n"
                         "3\n00:00:05,000 --> 00:00:06,000\nThree\n");
        m_list.LoadFromFile(m_srt, true, FrameRate(25000), 0);
        ASSERT_EQ(m_list.Count(), 3);
    }

    GenerationRequest request() { return defaultRequest(m_list, m_srt, m_settings); }

    QTemporaryDir m_dir;
    QString m_srt;
    TSubtitle m_list;
    RenderSettings m_settings;
};

} // namespace

TEST(OutputNames, ReplaceExtensionCutsFourCharacters)
{
    EXPECT_EQ(ReplaceExtension("movie.srt", ".idx"), "movie.idx");
    EXPECT_EQ(ReplaceExtension("abcdefg", ".idx"), "abc.idx");
    EXPECT_EQ(ReplaceExtension("/a/b/film", ".sub"), "/a/b/.sub");
    EXPECT_EQ(ReplaceExtension("abc", ".idx"), "abc.idx");
    // A longer extension goes whole, so that no piece of it is left before the new one.
    EXPECT_EQ(ReplaceExtension("/a/film.ttml", ".idx"), "/a/film.idx");
    EXPECT_EQ(ReplaceExtension("/a.b/film", ".sub"), "/a.b/.sub");
}

TEST(OutputNames, MicroDvdSubInputIsNeverTheOutput)
{
    const OutputSet& pair = VobSubWriter::pair();
    const OutputPlan srt = PlanOutputs("/films/a.srt", QString(), pair);
    EXPECT_EQ(srt.files, (QStringList{"/films/a.idx", "/films/a.sub"}));
    EXPECT_EQ(srt.folder.path(), "/films");
    EXPECT_EQ(PlanOutputs("/films/a.sub", QString(), pair).files,
              (QStringList{"/films/a_vobsub.idx", "/films/a_vobsub.sub"}));
    EXPECT_EQ(PlanOutputs("/films/a.sub", "/out", pair).files.back(), "/out/a.sub")

        << "another folder holds no input to protect";
}

TEST_F(Generation, FinishedRunWritesPairAndHelpFile)
{
    std::vector<int> seen;
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [&seen](int index, int count) {
        EXPECT_EQ(count, 3);
        seen.push_back(index);
        return true;
    };
    int drawn = 0;
    callbacks.afterRender = [&drawn](const SubtitleImage& image) {
        ++drawn;
        EXPECT_EQ(image.pixels.height(), 576);
    };
    const GenerationResult result = RunGeneration(request(), callbacks);
    EXPECT_FALSE(result.aborted);
    EXPECT_EQ(result.written, 3);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(drawn, 3);

    const QByteArray idx = readAll(m_dir.filePath("movie.idx"));
    EXPECT_EQ(lineCount(idx), 66);
    EXPECT_TRUE(idx.endsWith("timestamp: 00:00:05:000, filepos: 000001000\r\n"));
    const QByteArray sub = readAll(m_dir.filePath("movie.sub"));
    EXPECT_EQ(sub.size(), 3 * 2048);
    EXPECT_EQ(readAll(result.helpPath), QByteArray::fromStdString(result.helpText));
    EXPECT_EQ(result.helpPath, m_dir.filePath("Lumelle_Help_File.txt"));
}

TEST_F(Generation, AbortKeepsFinishedSubtitlesAndWritesNoHelp)
{
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [](int index, int) { return index < 3; };
    const GenerationResult result = RunGeneration(request(), callbacks);
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.written, 2);
    EXPECT_EQ(lineCount(readAll(idxOf(result))), 65);
    EXPECT_EQ(readAll(subOf(result)).size(), 2 * 2048);
    EXPECT_FALSE(QFile::exists(m_dir.filePath("Lumelle_Help_File.txt")));
}

TEST_F(Generation, AbortAsksTheCallerWhetherToKeepTheFinishedSubtitles)
{
    GenerationCallbacks callbacks;
    callbacks.beforeSubtitle = [](int index, int) { return index < 3; };
    QList<std::pair<int, bool>> asked;
    callbacks.keepFinished = [&asked](int written, bool replacesEarlier) {
        asked.append({written, replacesEarlier});
        return false;
    };
    // Nothing there yet: nothing is kept and no temporary file stays.
    GenerationResult result = RunGeneration(request(), callbacks);
    EXPECT_TRUE(result.aborted);
    EXPECT_FALSE(result.committed);
    EXPECT_EQ(QDir(m_dir.path()).entryList({"movie.*"}, QDir::Files), QStringList{"movie.srt"});

    // An earlier pair stays as it was.
    ASSERT_TRUE(RunGeneration(request(), {}).committed);
    const QByteArray idx = readAll(m_dir.filePath("movie.idx"));
    result = RunGeneration(request(), callbacks);
    EXPECT_FALSE(result.committed);
    EXPECT_EQ(readAll(m_dir.filePath("movie.idx")), idx);
    EXPECT_EQ(asked, (QList<std::pair<int, bool>>{{2, false}, {2, true}}));
}

TEST_F(Generation, MicroDvdSubInputStaysUnchangedBesideItsPair)
{
    const QString input = m_dir.filePath("film.sub");
    const QByteArray bytes = "{25}{50}Hello|World\n{75}{100}Again\n";
    writeFile(input, bytes);
    TSubtitle list;
    list.LoadFromFile(input, true, FrameRate(25000), 0);
    const GenerationRequest r = defaultRequest(list, input, m_settings);
    const GenerationResult result = RunGeneration(r, {});
    EXPECT_EQ(readAll(input), bytes);
    EXPECT_EQ(subOf(result), m_dir.filePath("film_vobsub.sub"));
    EXPECT_TRUE(
        QByteArray::fromStdString(result.helpText).contains("film_vobsub.idx\r\nfilm_vobsub.sub"));
}

TEST_F(Generation, BandOutsideTheFrameGivesAValidPair)
{
    // The largest font at the highest position on NTSC puts the first line above the frame.
    m_settings.fontSize = 50;
    m_settings.offset = 492;
    m_settings.videoStandard = VideoStandard::NTSC;
    GenerationResult result =
        RunGeneration(defaultRequest(m_list, m_srt, m_settings, FrameRate(29970)), {});
    EXPECT_EQ(result.written, 3);
    EXPECT_EQ(readAll(subOf(result)).size() % 2048, 0);

    // The smallest font there would lie wholly above the frame: it is moved down to the top.
    m_settings.fontSize = 6;
    int bandTop = -1;
    int bandHeight = -1;
    GenerationCallbacks callbacks;
    callbacks.afterRender = [&](const SubtitleImage& image) {
        bandTop = image.bandTop;
        bandHeight = image.bandHeight;
    };
    result = RunGeneration(defaultRequest(m_list, m_srt, m_settings, FrameRate(29970)), callbacks);
    EXPECT_EQ(bandTop, 0);
    EXPECT_GT(bandHeight, 0);
    EXPECT_EQ(result.written, 3);
    EXPECT_EQ(lineCount(readAll(idxOf(result))), 66);
}

TEST_F(Generation, FolderThatCannotHoldTheFilesIsAClearError)
{
    GenerationRequest r = request();
    r.outputFolder = m_dir.filePath("movie.srt"); // a file, not a folder
    try {
        RunGeneration(r, {});
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Cannot create file")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("movie.idx"));
    }
    EXPECT_EQ(m_list.Count(), 3);
}

TEST_F(Generation, ErrorLeavesTheEarlierFilesAndNoTemporaryOnes)
{
    const GenerationResult first = RunGeneration(request(), {});
    const QByteArray idx = readAll(idxOf(first)), sub = readAll(subOf(first));
    // The third picture cannot be shown: the run fails after writing two.
    GenerationCallbacks failAtThird;
    int shown = 0;
    failAtThird.afterRender = [&shown](const SubtitleImage&) {
        if (++shown == 3)
            throw Error("showing failed");
    };
    EXPECT_THROW(RunGeneration(request(), failAtThird), Error);
    EXPECT_EQ(readAll(idxOf(first)), idx);
    EXPECT_EQ(readAll(subOf(first)), sub);
    EXPECT_EQ(QDir(m_dir.path()).entryList({"*.part"}, QDir::Files), QStringList());

    // An abort before the first subtitle has nothing to give: the earlier pair stays too, and
    // the temporary files opened for it are gone.
    GenerationCallbacks stopAtOnce;
    stopAtOnce.beforeSubtitle = [](int, int) { return false; };
    const GenerationResult aborted = RunGeneration(request(), stopAtOnce);
    EXPECT_TRUE(aborted.aborted);
    EXPECT_EQ(readAll(idxOf(first)), idx);
    EXPECT_EQ(readAll(subOf(first)), sub);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 4)
        << QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).join(' ').toStdString();
}

TEST_F(Generation, OnlyFilesOfOursAreReplacedAndAMovedPairIsGuardedToo)
{
    // An empty file holds nothing to lose: the pair takes its name.
    writeFile(m_dir.filePath("movie.idx"), QByteArray());
    GenerationResult result = RunGeneration(request(), {});
    EXPECT_EQ(idxOf(result), m_dir.filePath("movie.idx"));
    EXPECT_EQ(result.notes, QStringList());

    // A foreign file moves the pair aside, and the moved pair is held against other runs.
    const QByteArray foreign = "notes of mine";
    writeFile(m_dir.filePath("movie.idx"), foreign);
    {
        const OutputLock otherRun(m_dir.filePath("movie_vobsub.idx"));
        EXPECT_THROW(RunGeneration(request(), {}), Error);
    }
    result = RunGeneration(request(), {});
    EXPECT_EQ(idxOf(result), m_dir.filePath("movie_vobsub.idx"));
    EXPECT_EQ(result.notes.size(), 1);

    // When the moved pair's names are foreign too, nothing is written over.
    writeFile(m_dir.filePath("movie_vobsub.sub"), foreign);
    EXPECT_THROW(RunGeneration(request(), {}), Error);
    EXPECT_EQ(readAll(m_dir.filePath("movie.idx")), foreign);
    EXPECT_EQ(readAll(m_dir.filePath("movie_vobsub.sub")), foreign);
}

TEST_F(Generation, PlayersReadThePair)
{
    const GenerationResult result = RunGeneration(request(), {});
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "packet=pts_time", "-of", "csv=p=0",
                            idxOf(result)});
    ASSERT_TRUE(probe.waitForFinished(30000)) << "ffprobe must be installed";
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromLatin1(probe.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
              QStringList({"1.000000", "3.000000", "5.000000"}));

    QProcess mux;
    mux.start("mkvmerge", {"-o", m_dir.filePath("movie.mkv"), idxOf(result)});
    ASSERT_TRUE(mux.waitForFinished(30000)) << "mkvmerge must be installed";
    const QString said = QString::fromLocal8Bit(mux.readAllStandardOutput());
    EXPECT_EQ(mux.exitCode(), 0) << said.toStdString();
    EXPECT_FALSE(said.contains("Warning")) << said.toStdString();
}
