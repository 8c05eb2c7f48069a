// Whole subtitles through the generation run, read back with ffmpeg: every text line drawn,
// styles from the file, overlapping subtitles shown together, long lines broken, blocks kept
// inside the frame and subtitles without duration ending.
#include "GenerationRequests.h"
#include "convert/GenerationRun.h"
#include "convert/ShowPlan.h"
#include "platform/Error.h"
#include "render/TextBlock.h"
#include "render/TextShaping.h"
#include "render/WidthCheck.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

void addEntry(TSubtitle& list, int start, int end, std::vector<std::string> lines,
              std::vector<StyleSpan> spans = {})
{
    lines.resize(std::max<std::size_t>(lines.size(), 3));
    SubtitleLine entry{std::to_string(start), std::to_string(end), lines[0], lines[1], lines[2]};
    entry.MoreLines.assign(lines.begin() + 3, lines.end());
    entry.Spans = std::move(spans);
    list.AddEntry(entry);
}

struct Generated
{
    QString idx;
    QString sub;
    GenerationResult result;
};

Generated generate(const QTemporaryDir& dir, const QString& name, const TSubtitle& list,
                   const RenderSettings& settings)
{
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    // The PC-only palette: decoded colours are then the chosen ones exactly.
    const GenerationRequest request =
        defaultRequest(list, folder + "/" + name + ".srt", settings,
                       FrameRate(settings.videoStandard == VideoStandard::NTSC ? 29970 : 25000),
                       PaletteMode::PcOnly);
    Generated g;
    g.result = RunGeneration(request, {});
    g.idx = idxOf(g.result);
    g.sub = subOf(g.result);
    return g;
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

// The frame ffmpeg shows at `seconds`, the subtitles laid over grey. Kept as a PNG in
// $LUMELLE_KEEP_PICTURES when that is set.
QImage decodedAt(const Generated& g, double seconds, VideoStandard standard, const QString& tag)
{
    const int w = frameWidth(standard);
    const int h = frameHeight(standard);
    const QByteArray raw =
        run("ffmpeg",
            {"-v", "error", "-f", "lavfi", "-i",
             QStringLiteral("color=c=0x808080:s=%1x%2:r=25:d=20").arg(w).arg(h), "-i", g.idx,
             "-filter_complex", "[0:v][1:s]overlay=format=rgb", "-ss", QString::number(seconds),
             "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "pipe:1"});
    if (raw.size() != qsizetype(w) * h * 3)
        return {};
    QImage frame(reinterpret_cast<const uchar*>(raw.constData()), w, h, w * 3,
                 QImage::Format_RGB888);
    QImage copy = frame.copy();
    if (const QByteArray keep = qgetenv("LUMELLE_KEEP_PICTURES"); !keep.isEmpty()) {
        QDir().mkpath(QString::fromLocal8Bit(keep));
        copy.save(QString::fromLocal8Bit(keep) + "/" + tag + ".png");
    }
    return copy;
}

// Rows holding text-coloured (white) pixels, grouped into runs of neighbouring rows: one
// group per text line drawn.
std::vector<std::pair<int, int>> textRowGroups(const QImage& frame)
{
    std::vector<std::pair<int, int>> groups;
    for (int y = 0; y < frame.height(); ++y) {
        bool white = false;
        for (int x = 0; x < frame.width() && !white; ++x)
            white = frame.pixel(x, y) == qRgb(255, 255, 255);
        if (!white)
            continue;
        if (!groups.empty() && groups.back().second == y - 1)
            groups.back().second = y;
        else
            groups.emplace_back(y, y);
    }
    return groups;
}

// Rows holding anything but the grey canvas.
std::pair<int, int> inkRows(const QImage& frame)
{
    std::pair<int, int> rows{frame.height(), -1};
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) != qRgb(128, 128, 128)) {
                rows.first = std::min(rows.first, y);
                rows.second = y;
                break;
            }
    return rows;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

constexpr TextStyle kItalic{true, false, false};
constexpr TextStyle kBold{false, true, false};

class DrawnSubtitles : public testing::Test
{
protected:
    QTemporaryDir dir;
    RenderSettings settings;
};

} // namespace

TEST_F(DrawnSubtitles, EveryLineIsDrawnAndEveryStyleTakenFromTheFile)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> lines;
        std::vector<StyleSpan> spans;
        std::size_t textLines;
    } cases[] = {
        {"three", {"ONE", "TWO", "THREE"}, {}, 3},
        {"four", {"ONE", "TWO", "THREE", "FOUR"}, {}, 4},
        {"mixed", {"HALF ITALIC AND BOLD", "TWO"}, {{0, 5, 11, kItalic}, {0, 16, 20, kBold}}, 2},
    };
    for (const Case& c : cases) {
        TSubtitle list;
        addEntry(list, 25, 75, c.lines, c.spans);
        const Generated g = generate(dir, c.name, list, settings);
        const QImage frame = decodedAt(g, 2, settings.videoStandard, c.name);
        EXPECT_EQ(textRowGroups(frame).size(), c.textLines) << c.name;
    }

    // A line wholly in italics in a Normal setting is the line in an Italic setting.
    TSubtitle marked, plain;
    addEntry(marked, 25, 75, {"Hello", "there"}, {{0, 0, 5, kItalic}, {1, 0, 5, kItalic}});
    addEntry(plain, 25, 75, {"Hello", "there"});
    RenderSettings italic = settings;
    italic.fontStyle.italic = true;
    const Generated fromMarkup = generate(dir, "markup", marked, settings);
    const Generated fromSetting = generate(dir, "setting", plain, italic);
    const Generated unstyled = generate(dir, "unstyled", plain, settings);
    EXPECT_EQ(bytesOf(fromMarkup.sub), bytesOf(fromSetting.sub));
    EXPECT_NE(bytesOf(fromMarkup.sub), bytesOf(unstyled.sub));
}

TEST_F(DrawnSubtitles, OverlappingSubtitlesShareOnePictureWhileBothAreShown)
{
    TSubtitle list;
    addEntry(list, 25, 100, {"FIRST"});  // 1 s .. 4 s
    addEntry(list, 50, 150, {"SECOND"}); // 2 s .. 6 s
    addEntry(list, 200, 225, {"ALONE"}); // 8 s .. 9 s
    const Generated g = generate(dir, "overlap", list, settings);
    EXPECT_EQ(g.result.merged, 2);
    EXPECT_EQ(g.result.written, 4);

    const auto first = textRowGroups(decodedAt(g, 1.5, settings.videoStandard, "overlap-1.5s"));
    const auto both = textRowGroups(decodedAt(g, 3, settings.videoStandard, "overlap-3s"));
    const auto second = textRowGroups(decodedAt(g, 5, settings.videoStandard, "overlap-5s"));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(both.size(), 2u);
    ASSERT_EQ(second.size(), 1u);
    // The earlier subtitle keeps its place; the later one is stacked above it.
    EXPECT_EQ(both[1], first[0]);
    EXPECT_LT(both[0].second, first[0].first);

    // Equal start times: the first in the file at the bottom.
    TSubtitle same;
    addEntry(same, 25, 75, {"LOW"});
    addEntry(same, 25, 75, {"HIGHER", "AND MORE"});
    const Generated together = generate(dir, "same", same, settings);
    EXPECT_EQ(together.result.written, 1);
    EXPECT_EQ(textRowGroups(decodedAt(together, 2, settings.videoStandard, "same")).size(), 3u);
}

// The plan alone: the exact frames and stacking order, which a decoded picture shows only
// roughly.
TEST(ShowPlanCuts, OverlapsAreCutAtEveryStartAndEndAndStackedEarliestFirst)
{
    struct Segment
    {
        int start;
        int end;
        std::vector<int> entries;
        bool operator==(const Segment&) const = default;
    };
    auto segmentsOf = [](const ShowPlan& plan) {
        std::vector<Segment> out;
        for (const ShowSegment& s : plan.segments)
            out.push_back({s.start, s.end, s.entries});
        return out;
    };

    // 0 and 1 overlap, 2 has no duration inside the overlap, 3 and 4 stand alone.
    const ShowPlan plan = PlanShowing({{10, 30}, {0, 20}, {15, 15}, {50, 60}, {70, 65}});
    EXPECT_EQ(segmentsOf(plan), (std::vector<Segment>{{0, 10, {1}},
                                                      {10, 15, {1, 0}},
                                                      {15, 16, {1, 0, 2}}, // one frame long
                                                      {16, 20, {1, 0}},
                                                      {20, 30, {0}},
                                                      {50, 60, {3}},
                                                      {70, 65, {4}}})); // times as given
    EXPECT_EQ(plan.merged, 3);

    // Equal starts keep the list order: the first in the file at the bottom.
    EXPECT_EQ(segmentsOf(PlanShowing({{5, 9}, {5, 7}})),
              (std::vector<Segment>{{5, 7, {0, 1}}, {7, 9, {0}}}));
}

TEST_F(DrawnSubtitles, LongLinesAreBrokenOnlyWhenAllowed)
{
    const std::string longLine = "THIS LINE IS MUCH TOO LONG FOR THE FRAME AT THIS SIZE, SO IT "
                                 "MUST BE BROKEN IN TWO";
    TSubtitle list;
    addEntry(list, 25, 75, {longLine});
    EXPECT_FALSE(EntryFitsWidth(list.line(1), settings));
    EXPECT_TRUE(EntryFitsWhenWrapped(list.line(1), settings));
    settings.wrapLongLines = true;
    EXPECT_TRUE(EntryFitsWidth(list.line(1), settings));
    const Generated g = generate(dir, "wrapped", list, settings);
    EXPECT_EQ(textRowGroups(decodedAt(g, 2, settings.videoStandard, "wrapped")).size(), 2u);

    // One word too long for the frame cannot be broken.
    TSubtitle word;
    addEntry(word, 25, 75, {std::string(80, 'W')});
    EXPECT_FALSE(EntryFitsWidth(word.line(1), settings));
    EXPECT_FALSE(EntryFitsWhenWrapped(word.line(1), settings));
}

TEST_F(DrawnSubtitles, FirstTooWideSubtitleIsTheSameOnAnyNumberOfThreads)
{
    // Refused entries in different blocks of the shared check, the later found first by
    // whichever thread takes its block.
    for (const std::vector<int>& wide : {std::vector<int>{}, {700}, {150, 700}, {64, 65, 999}}) {
        TSubtitle list;
        for (int i = 1; i <= 1000; ++i) {
            const bool refused = std::find(wide.begin(), wide.end(), i) != wide.end();
            addEntry(list, i * 10, i * 10 + 5, {refused ? std::string(80, 'W') : "fits"});
        }
        for (int threads : {1, 2, 7})
            EXPECT_EQ(FirstTooWideEntry(list, settings, threads), wide.empty() ? 0 : wide[0])
                << threads << " threads";
    }
}

TEST(WidthCheck, SharedSearchKeepsTheLowestRefusedEntryWhateverTheOrder)
{
    FirstRefusedSearch search(1000, 64);
    int first = 0, last = 0;
    ASSERT_TRUE(search.nextBlock(first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(1, 65));
    ASSERT_TRUE(search.nextBlock(first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(65, 129));
    // The first block's thread reports before the second's, which found a later entry.
    search.refused(30);
    search.refused(100);
    EXPECT_EQ(search.result(), 30);
    // No block after the refused entry is handed out.
    EXPECT_FALSE(search.nextBlock(first, last));
    // Found the other way round, the answer is the same.
    FirstRefusedSearch reversed(1000, 64);
    reversed.refused(100);
    reversed.refused(30);
    EXPECT_EQ(reversed.result(), 30);
    EXPECT_EQ(FirstRefusedSearch(1000, 64).result(), 0);
    // The last block ends with the list.
    FirstRefusedSearch shortList(70, 64);
    ASSERT_TRUE(shortList.nextBlock(first, last));
    ASSERT_TRUE(shortList.nextBlock(first, last));
    EXPECT_EQ(std::pair(first, last), std::pair(65, 71));
    EXPECT_FALSE(shortList.nextBlock(first, last));
}

TEST_F(DrawnSubtitles, BrokenLinesKeepTheirStylesOnTheirOwnText)
{
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += "PLAIN WORDS ";
    text += "ITALIC END";
    const qsizetype at = qsizetype(text.find("ITALIC"));
    const StyledText line{QString::fromStdString(text), {{at, at + 6, kItalic}}};
    settings.wrapLongLines = true;
    const auto parts = FitLinesToWidth({line}, settings);
    ASSERT_TRUE(parts.has_value());
    ASSERT_GE(parts->size(), 2u);
    int italic = 0;
    for (const StyledText& part : *parts) {
        for (const TextRun& run : part.runs) {
            EXPECT_EQ(part.text.mid(run.begin, run.end - run.begin), "ITALIC");
            ++italic;
        }
    }
    EXPECT_EQ(italic, 1);
    EXPECT_TRUE(parts->back().text.endsWith("ITALIC END"));
}

TEST_F(DrawnSubtitles, BlocksStayWholeInsideTheFrame)
{
    struct Case
    {
        const char* name;
        int size;
        int offset;
        VideoStandard standard;
        std::size_t lines;
    } cases[] = {
        {"size44", 44, 30, VideoStandard::PAL, 2},
        {"size50", 50, 8, VideoStandard::PAL, 2},
        {"size50-ntsc-four", 50, 30, VideoStandard::NTSC, 4},
        {"offset492-ntsc", 20, 492, VideoStandard::NTSC, 2},
    };
    for (const Case& c : cases) {
        RenderSettings s = settings;
        s.fontSize = c.size;
        s.offset = c.offset;
        s.videoStandard = c.standard;
        TSubtitle list;
        std::vector<std::string> lines{"TOP", "BOTTOM", "THIRD", "FOURTH"};
        lines.resize(c.lines);
        addEntry(list, 25, 75, lines);
        const Generated g = generate(dir, c.name, list, s);
        const QImage frame = decodedAt(g, 2, c.standard, c.name);
        EXPECT_EQ(textRowGroups(frame).size(), c.lines) << c.name;
        const auto [top, bottom] = inkRows(frame);
        EXPECT_GT(top, 0) << c.name;
        EXPECT_LT(bottom, frame.height() - 1) << c.name;
    }

    // A block taller than the frame is refused before anything is written.
    TSubtitle tall;
    addEntry(tall, 25, 75, std::vector<std::string>(12, "LINE"));
    RenderSettings big = settings;
    big.fontSize = 50;
    try {
        generate(dir, "tall", tall, big);
        ADD_FAILURE() << "a block taller than the frame was written";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("Subtitle 1 ")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("tall/tall.sub")));
}

// The leftmost and rightmost columns of white pixels in rows [first, last].
std::pair<int, int> whiteColumns(const QImage& frame, std::pair<int, int> rows)
{
    std::pair<int, int> columns{frame.width(), -1};
    for (int y = rows.first; y <= rows.second; ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (frame.pixel(x, y) == qRgb(255, 255, 255)) {
                columns.first = std::min(columns.first, x);
                columns.second = std::max(columns.second, x);
            }
    return columns;
}

TEST_F(DrawnSubtitles, MarkedSubtitlesStandWhereTheFilePlacesThem)
{
    const int H = frameHeight(settings.videoStandard);
    const int W = frameWidth(settings.videoStandard);
    TSubtitle list;
    addEntry(list, 25, 100, {"DIALOGUE"});         // 1 s .. 4 s
    SubtitleLine sign{"50", "75", "SIGN", "", ""}; // 2 s .. 3 s, at the top
    sign.Place = 8;
    list.AddEntry(sign);
    for (const auto& [place, start] : {std::pair(7, 125), std::pair(9, 150), std::pair(5, 175)}) {
        SubtitleLine entry{std::to_string(start), std::to_string(start + 10), "PLACED", "", ""};
        entry.Place = place;
        list.AddEntry(entry);
    }
    const Generated g = generate(dir, "placed", list, settings);
    const auto alone = textRowGroups(decodedAt(g, 1.5, settings.videoStandard, "placed-alone"));
    const auto both = textRowGroups(decodedAt(g, 2.5, settings.videoStandard, "placed-both"));
    ASSERT_EQ(alone.size(), 1u);
    ASSERT_EQ(both.size(), 2u);
    // The dialogue keeps its place; the sign stands as far from the top as a bottom line from
    // the bottom (the same cell and offset, mirrored), not stacked onto the dialogue.
    EXPECT_EQ(both[1], alone[0]);
    const int bottomGap = H - 1 - alone[0].second; // below the dialogue's glyphs
    EXPECT_LT(both[0].first, H / 4);
    EXPECT_NEAR(both[0].first, bottomGap, 6);

    const QImage left = decodedAt(g, 5.2, settings.videoStandard, "placed-7");
    const QImage right = decodedAt(g, 6.2, settings.videoStandard, "placed-9");
    const QImage middle = decodedAt(g, 7.2, settings.videoStandard, "placed-5");
    ASSERT_EQ(textRowGroups(left).size(), 1u);
    EXPECT_LT(whiteColumns(left, textRowGroups(left)[0]).first, 20);
    EXPECT_LT(textRowGroups(left)[0].first, H / 4);
    EXPECT_GT(whiteColumns(right, textRowGroups(right)[0]).second, W - 20);
    const auto [top, bottom] = textRowGroups(middle).at(0);
    EXPECT_NEAR((top + bottom) / 2, H / 2, 8);
}

TEST_F(DrawnSubtitles, TallBlocksEndWhereATwoLineSubtitleEnds)
{
    // The last line of a block of three or more stands where a two-line subtitle's second line
    // does (out of the overscan); at the top, the first line where a one-line top one stands.
    const auto lines = [](int n) {
        std::vector<std::string> out;
        for (int k = 0; k < n; ++k)
            out.push_back("LINE " + std::to_string(k + 1));
        return out;
    };
    TSubtitle list;
    for (int n = 1; n <= 4; ++n)
        addEntry(list, n * 50, n * 50 + 25, lines(n)); // at 2, 4, 6, 8 s
    for (int n : {1, 3}) {
        SubtitleLine top{std::to_string(250 + n * 50), std::to_string(275 + n * 50), "", "", ""};
        const auto text = lines(n);
        top.Line1 = text[0];
        top.Line2 = n > 1 ? text[1] : "";
        top.Line3 = n > 2 ? text[2] : "";
        top.Place = 8;
        list.AddEntry(top); // at 12, 16 s
    }
    const Generated g = generate(dir, "tall-blocks", list, settings);
    std::vector<std::vector<std::pair<int, int>>> shown;
    for (double t : {2.5, 4.5, 6.5, 8.5, 12.5, 16.5})
        shown.push_back(textRowGroups(
            decodedAt(g, t, settings.videoStandard, QStringLiteral("tall-%1").arg(t))));
    ASSERT_EQ(shown[1].size(), 2u);
    ASSERT_EQ(shown[2].size(), 3u);
    ASSERT_EQ(shown[3].size(), 4u);
    EXPECT_EQ(shown[0][0], shown[1][0]) << "one and two lines keep their place";
    EXPECT_EQ(shown[2].back(), shown[1].back());
    EXPECT_EQ(shown[3].back(), shown[1].back());
    ASSERT_EQ(shown[5].size(), 3u);
    EXPECT_EQ(shown[5].front(), shown[4].front());
}

TEST_F(DrawnSubtitles, ColouredTextIsDrawnInItsColourFromTheFilesPalette)
{
    const ColorValue yellow = makeColor(255, 255, 0);
    const TextStyle yellowText{.colour = yellow};
    const TextStyle redText{.colour = makeColor(255, 0, 0)};
    const TextStyle blackText{.colour = makeColor(0, 0, 0)};
    TSubtitle list;
    addEntry(list, 25, 75, {"SONG LINE", "ALL YELLOW"},
             {{0, 0, 9, yellowText}, {1, 0, 10, yellowText}});
    addEntry(list, 100, 150, {"YELLOW AND WHITE"}, {{0, 0, 6, yellowText}});
    addEntry(list, 175, 225, {"WHITE YELLOW RED"}, {{0, 6, 12, yellowText}, {0, 13, 16, redText}});
    addEntry(list, 250, 300, {"BLACK WORDS"}, {{0, 0, 11, blackText}});
    const Generated g = generate(dir, "coloured", list, settings);
    const auto count = [](const QImage& frame, QRgb colour) {
        int n = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x)
                n += frame.pixel(x, y) == colour ? 1 : 0;
        return n;
    };
    const QRgb yellowInk = qRgb(255, 255, 0), white = qRgb(255, 255, 255), red = qRgb(255, 0, 0);
    const QImage song = decodedAt(g, 2, settings.videoStandard, "coloured-song");
    EXPECT_GT(count(song, yellowInk), 100);
    EXPECT_EQ(count(song, white), 0);
    // Two text colours in one picture: both show, the second in the antialias ink's place.
    const QImage mixed = decodedAt(g, 5, settings.videoStandard, "coloured-mixed");
    EXPECT_GT(count(mixed, yellowInk), 100);
    EXPECT_GT(count(mixed, white), 100);
    // A third is drawn in the nearer of the two, and the subtitle is named.
    const QImage three = decodedAt(g, 8, settings.videoStandard, "coloured-three");
    EXPECT_GT(count(three, yellowInk), 150) << "the red word in yellow";
    EXPECT_GT(count(three, white), 100);
    EXPECT_EQ(count(three, red), 0);
    ASSERT_EQ(g.result.notes.size(), 1);
    EXPECT_TRUE(g.result.notes[0].startsWith("Subtitle 3 asks for more text colours"))
        << g.result.notes[0].toStdString();
    // Black text would melt into the black outline: its outline takes the window's white.
    const QImage black = decodedAt(g, 11, settings.videoStandard, "coloured-black");
    EXPECT_GT(count(black, qRgb(0, 0, 0)), 200);
    EXPECT_GT(count(black, white), 200);
    // The palette holds the window's colours, blue, then yellow.
    QFile idx(g.idx);
    ASSERT_TRUE(idx.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        idx.readAll().contains("palette: 808080, 000000, FFFFFF, 0000FF, FFFF00, 000000, 000000"));
}

TEST_F(DrawnSubtitles, LinesWithoutSpacesBreakWhereUnicodeAllows)
{
    settings.wrapLongLines = true;
    const struct
    {
        const char* text;
        const char* firstPart;
    } cases[] = {
        {"https://www.example.com/a/rather/long/path/to/some/subtitle/file.srt",
         "https://www.example.com/a/rather/"},
        {"我们今天晚上要去电影院看一部非常有意思的新电影你想一起来吗", nullptr},
        {"今日はとても良い天気ですね公園に散歩に行きましょうかそれとも家で映画を見ますか", nullptr},
    };
    for (const auto& c : cases) {
        const StyledText line{QString::fromUtf8(c.text), {}};
        ASSERT_FALSE(LineFitsWidth(MeasureStyled(line, settings).width)) << c.text;
        const auto parts = FitLinesToWidth({line}, settings);
        ASSERT_TRUE(parts.has_value()) << c.text;
        ASSERT_EQ(parts->size(), 2u) << c.text;
        EXPECT_EQ((*parts)[0].text + (*parts)[1].text, line.text) << "nothing dropped";
        if (c.firstPart) {
            EXPECT_EQ((*parts)[0].text, QString::fromUtf8(c.firstPart));
        }
        // Balanced: neither half is more than a third wider than the other.
        const int a = MeasureStyled((*parts)[0], settings).width;
        const int b = MeasureStyled((*parts)[1], settings).width;
        EXPECT_LT(std::max(a, b) * 3, std::min(a, b) * 4 + 40) << c.text;
    }
}

TEST_F(DrawnSubtitles, SubtitleWithoutDurationStillEnds)
{
    TSubtitle list;
    addEntry(list, 25, 25, {"GONE AT ONCE"});
    addEntry(list, 100, 90, {"ENDS BEFORE IT STARTS"});
    const Generated g = generate(dir, "zero", list, settings);
    const QByteArray frames =
        run("ffprobe", {"-v", "error", "-show_frames", "-of", "compact=p=0", g.idx});
    const QList<QByteArray> shown = frames.trimmed().split('\n');
    ASSERT_EQ(shown.size(), 2) << frames.toStdString();
    for (const QByteArray& frame : shown) {
        const qsizetype at = frame.indexOf("end_display_time=");
        ASSERT_GE(at, 0) << frame.toStdString();
        // One delay unit: 1024 / 90 ms.
        EXPECT_EQ(frame.mid(at + 17).split('|').front().toInt(), 11) << frame.toStdString();
    }
}
