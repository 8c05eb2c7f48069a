#include "ConverterRuns.h"
#include "TestFiles.h"
#include "cli/ConvertOptions.h"
#include "cli/OptionValues.h"
#include "convert/RetimedSource.h"
#include "platform/Error.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace lumelle;

namespace {

// A source of given times that says which of its pictures was drawn: the drawn picture's band
// top is its own index.
class ListedSource : public PictureSource
{
public:
    explicit ListedSource(std::vector<PictureTimes> times, int streams = 1)
        : m_times(std::move(times)), m_streams(streams)
    {}
    void useForm(const PictureForm&) override {}
    void plan(const std::function<void(int, int)>& checkStart) override
    {
        for (const PictureTimes& t : m_times)
            checkStart(t.start, t.number);
    }
    int count() const override { return int(m_times.size()); }
    PictureTimes times(int index) const override { return m_times[std::size_t(index)]; }
    int merged() const override { return 0; }
    std::vector<int> picturesPerStream() const override
    {
        std::vector<int> counts(std::size_t(m_streams), 0);
        for (const PictureTimes& t : m_times)
            ++counts[std::size_t(t.stream)];
        return counts;
    }
    void startWorkers(int) override {}
    TimedPicture draw(int index, int) override
    {
        TimedPicture picture{m_times[std::size_t(index)]};
        picture.bandTop = index;
        return picture;
    }
    const SubtitleImage& drawShown(int index) override
    {
        m_shown.bandTop = index;
        return m_shown;
    }

private:
    std::vector<PictureTimes> m_times;
    int m_streams;
    SubtitleImage m_shown;
};

PictureTimes at(int start, int end, int number, bool forced = false, int stream = 0)
{
    return {start, end, number, forced, stream};
}

Retiming shiftedBy(long long ms, std::int64_t from = 0, std::int64_t to = 0)
{
    Retiming r;
    r.shiftMs = ms;
    r.speedFrom = FrameRate(from);
    r.speedTo = FrameRate(to);
    return r;
}

} // namespace

TEST(Retiming, FramesMoveBySpeedThenByAWholeNumberOfFrames)
{
    const struct
    {
        int frame;
        long long shiftMs;
        std::int64_t from, to, rate;
        int moved;
    } cases[] = {
        {100, 0, 0, 0, 25000, 100},
        {100, -1500, 0, 0, 25000, 62}, // 37.5 frames rounds to the even 38
        {100, 1500, 0, 0, 25000, 138}, // the same frames the other way
        {100, 200, 0, 0, 25000, 105},  // 5 frames
        {100, 20, 0, 0, 25000, 100},   // half a frame rounds to the even 0
        {100, 60, 0, 0, 25000, 102},   // 1.5 frames to 2
        {25000, 0, 23976, 25000, 25000, 23976},
        {1000, 0, 25000, 23976, 25000, 1043}, // 1042.7: back the other way
        {25000, -1000, 23976, 25000, 25000, 23951},
        {0, -1000, 0, 0, 23976, -24},
        {2147483000, 86400000, 0, 0, 60000, 2147483647}, // held at the largest frame
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RetimedFrame(c.frame, shiftedBy(c.shiftMs, c.from, c.to), FrameRate(c.rate)),
                  c.moved)
            << c.frame << " shift " << c.shiftMs << " speed " << c.from << ":" << c.to;
    }
}

TEST(Retiming, EveryPictureMovesExactlyAndKeepsItsOwnDrawing)
{
    std::vector<PictureTimes> times;
    for (int i = 0; i < 200; ++i)
        times.push_back(at(100 + i * 61, 130 + i * 61 + i % 7, i + 1, i % 3 == 0));
    const Retiming retiming = shiftedBy(-2000, 23976, 25000);
    RetimedPictureSource source(std::make_shared<ListedSource>(times), retiming, FrameRate(25000));
    std::vector<int> checked;
    source.plan([&](int start, int) { checked.push_back(start); });
    ASSERT_EQ(source.count(), 200);
    for (int i = 0; i < 200; ++i) {
        const PictureTimes t = source.times(i);
        EXPECT_EQ(t.start, RetimedFrame(times[std::size_t(i)].start, retiming, FrameRate(25000)));
        EXPECT_EQ(t.end, RetimedFrame(times[std::size_t(i)].end, retiming, FrameRate(25000)));
        EXPECT_EQ(t.number, i + 1);
        EXPECT_EQ(t.forced, i % 3 == 0);
        EXPECT_EQ(checked[std::size_t(i)], t.start);
        const TimedPicture drawn = source.draw(i, 0);
        EXPECT_EQ(drawn.bandTop, i);
        EXPECT_EQ(drawn.times.start, t.start);
    }
    EXPECT_EQ(source.skipped(), 0);
    EXPECT_TRUE(source.notes().isEmpty());
}

TEST(Retiming, PicturesBeforeTheStartAreClippedOrLeftOutAndCounted)
{
    // At 25 fps a shift of -2 s is 50 frames back.
    RetimedPictureSource source(std::make_shared<ListedSource>(std::vector<PictureTimes>{
                                    at(10, 40, 1), at(30, 50, 2), at(40, 60, 3), at(100, 120, 4)}),
                                shiftedBy(-2000), FrameRate(25000));
    std::vector<int> checked;
    source.plan([&](int start, int) { checked.push_back(start); });
    EXPECT_EQ(checked, (std::vector<int>{0, 0, 0, 50})); // the writer never sees a negative start
    ASSERT_EQ(source.count(), 2);
    EXPECT_EQ(source.times(0).number, 3);
    EXPECT_EQ(source.times(0).start, 0); // from -10: shown from the start
    EXPECT_EQ(source.times(0).end, 10);
    EXPECT_EQ(source.draw(0, 0).bandTop, 2);
    EXPECT_EQ(source.drawShown(1).bandTop, 3);
    EXPECT_EQ(source.skipped(), 2);
    ASSERT_EQ(source.notes().size(), 2);
    EXPECT_EQ(source.notes()[0], "subtitle 1 ends before 00:00:00 once retimed: left out");

    RetimedPictureSource none(
        std::make_shared<ListedSource>(std::vector<PictureTimes>{at(10, 40, 1)}), shiftedBy(-5000),
        FrameRate(25000));
    EXPECT_THROW(none.plan([](int, int) {}), Error);
}

TEST(Retiming, ForcedChoiceTakesOrLeavesForcedPicturesPerStream)
{
    const std::vector<PictureTimes> times{at(0, 10, 1, true, 0), at(5, 15, 1, false, 1),
                                          at(20, 30, 2, false, 0), at(25, 35, 2, true, 1),
                                          at(40, 50, 3, true, 1)};
    Retiming only;
    only.forced = ForcedChoice::Only;
    RetimedPictureSource forced(std::make_shared<ListedSource>(times, 2), only, FrameRate(25000));
    forced.plan([](int, int) {});
    ASSERT_EQ(forced.count(), 3);
    EXPECT_EQ(forced.draw(1, 0).bandTop, 3);
    EXPECT_EQ(forced.picturesPerStream(), (std::vector<int>{1, 2}));
    EXPECT_EQ(forced.leftOut(), 2);
    EXPECT_EQ(forced.skipped(), 0); // asked for, not lost
    EXPECT_EQ(forced.notes(), QStringList{"2 pictures left out: not forced"});

    Retiming drop;
    drop.forced = ForcedChoice::Drop;
    RetimedPictureSource others(std::make_shared<ListedSource>(times, 2), drop, FrameRate(25000));
    others.plan([](int, int) {});
    EXPECT_EQ(others.picturesPerStream(), (std::vector<int>{1, 1}));
    EXPECT_EQ(others.times(1).start, 20);

    RetimedPictureSource noForced(
        std::make_shared<ListedSource>(std::vector<PictureTimes>{at(0, 10, 1)}), only,
        FrameRate(25000));
    try {
        noForced.plan([](int, int) {});
        ADD_FAILURE() << "a file without forced subtitles gave an empty track";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "no subtitle is forced: nothing to write");
    }
}

TEST(Retiming, ShiftAndSpeedAreTakenAsPeopleWriteThem)
{
    const struct
    {
        const char* given;
        bool taken;
        long long ms;
    } shifts[] = {
        {"-1.5s", true, -1500},
        {"+200ms", true, 200},
        {"1.5s", true, 1500},
        {"00:00:01,500", true, 1500},
        {"-01:02:03.4", true, -3723400},
        {"0s", true, 0},
        {"24:00:00,000", true, 86400000},
        {"24:00:00,001", false, 0},
        {"1,5", false, 0},
        {"1.5", false, 0},
        {"00:61:00,000", false, 0},
        {"--1s", false, 0},
        {"1e3ms", false, 0},
        {"", false, 0},
    };
    for (const auto& c : shifts) {
        long long ms = 0;
        EXPECT_EQ(ReadShiftTime(c.given, ms), c.taken) << c.given;
        if (c.taken) {
            EXPECT_EQ(ms, c.ms) << c.given;
        }
    }
    const struct
    {
        const char* given;
        std::int64_t from, to; // 0: refused
    } speeds[] = {
        {"23.976:25", 23976, 25000}, {"25:24000/1001", 25000, 23976},
        {"24:25", 24000, 25000},     {"23.976", 0, 0},
        {"23.976:26", 0, 0},         {"25:25:25", 0, 0},
    };
    for (const auto& c : speeds) {
        ConvertOptions o;
        QString error;
        const ParseOutcome outcome =
            ParseConvertOptions({"lumelle-convert", "--speed", c.given, "a.srt"}, o, error);
        EXPECT_EQ(outcome, c.from ? ParseOutcome::Run : ParseOutcome::Error) << c.given;
        EXPECT_EQ(o.retiming.speedFrom.framesPer1000Seconds(), c.from) << c.given;
        EXPECT_EQ(o.retiming.speedTo.framesPer1000Seconds(), c.to) << c.given;
    }
}

// Through the converter: a text file's subtitles land in the index at the retimed times.
TEST(Retiming, ConverterMovesTextSubtitles)
{
    QTemporaryDir dir;
    const QString srt = writeFileIn(dir, "film.srt",
                                    "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
                                    "2\n00:01:00,000 --> 00:01:01,000\nTwo\n\n");
    const ConverterRun run =
        runConverter({"--fps", "25", "--speed", "23.976:25", "--shift", "+500ms", srt});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile idx(dir.filePath("film.idx"));
    ASSERT_TRUE(idx.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(idx.readAll());
    // 25 frames * 0.95904 = 24 frames, + 12.5 frames rounded to 12: 36 frames, 1.440 s;
    // 1500 frames give 1438.56 = 1439, + 12: 1451 frames, 58.040 s.
    EXPECT_TRUE(text.contains("timestamp: 00:00:01:440, ")) << text.toStdString();
    EXPECT_TRUE(text.contains("timestamp: 00:00:58:040, ")) << text.toStdString();
}
