// The encoder that codes runs from the drawing's layers against the pixel-classifying one, the
// in-order unit pipeline, and runs on several threads against runs on one.
#include "GenerationRequests.h"
#include "TestFiles.h"
#include "convert/UnitPipeline.h"
#include "platform/Error.h"
#include "platform/Processors.h"
#include "reference/PixelEncoder.h"
#include "render/LayerRenderer.h"
#include "render/TextBlock.h"
#include "vobsub/SubpictureEncoder.h"

#include <QDir>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <random>
#include <sched.h>
#include <set>
#include <stdexcept>

using namespace lumelle;

namespace {

QRgb rgbOf(ColorValue c)
{
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

// The picture the layers stand for: each pixel in its layer's colour.
QImage pictureOf(const LayerMasks& m)
{
    QImage image(m.width, m.height, QImage::Format_RGB32);
    for (int y = 0; y < m.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < m.width; ++x) {
            const int layer = int((m.lowRow(y)[x / 64] >> (x % 64)) & 1) |
                              int(((m.highRow(y)[x / 64] >> (x % 64)) & 1) << 1);
            line[x] = rgbOf(m.colours[layer]);
        }
    }
    return image;
}

void expectSameUnit(const LayerMasks& masks, const QImage& picture, int bandTop, int bandHeight,
                    const OutputColours& colours, const std::string& what)
{
    const auto fromPixels =
        EncodeSubpicture(picture, bandTop, bandHeight, colours, 10, 60, FrameRate(25000), 1);
    const auto fromMasks =
        EncodeSubpictureFromMasks(masks, bandTop, bandHeight, colours, 10, 60, FrameRate(25000), 1);
    EXPECT_EQ(fromMasks, fromPixels) << what;
}

// Layers of `width` x 8 pixels: long stretches (runs over 255 and 510 pixels), single pixels,
// changes at word edges and in the first and last columns.
LayerMasks randomMasks(int width, std::mt19937& random, const ColorValue (&colours)[4])
{
    LayerMasks m;
    m.width = width;
    m.height = 8;
    m.words = (width + 63) / 64;
    m.low.assign(std::size_t(m.words * m.height), 0);
    m.high.assign(m.low.size(), 0);
    std::copy(std::begin(colours), std::end(colours), m.colours);
    for (int y = 0; y < m.height; ++y) {
        int x = 0;
        while (x < width) {
            const int kind = int(random() % 4);
            const int length = (y == 0) ? width : int(1 + random() % (random() % 3 ? 5 : 600));
            for (int i = x; i < std::min(width, x + length); ++i) {
                const std::size_t word = std::size_t(y * m.words + i / 64);
                const std::uint64_t bit = std::uint64_t(1) << (i % 64);
                if (kind & 1)
                    m.low[word] |= bit;
                if (kind & 2)
                    m.high[word] |= bit;
            }
            x += length;
        }
    }
    return m;
}

TEST(LayerEncoder, CodesEveryRowAsThePixelEncoderDoes)
{
    const OutputColours colours{makeColor(128, 128, 128), makeColor(0, 0, 0),
                                makeColor(255, 255, 255)};
    // Distinct colours; two layers of one colour; the text in pure blue; a colour the palette
    // does not know.
    const ColorValue palettes[][4] = {
        {kBackgroundBlue, colours.outline, colours.antialias, colours.text},
        {kBackgroundBlue, colours.outline, colours.outline, colours.text},
        {kBackgroundBlue, colours.text, colours.antialias, kBackgroundBlue},
        {kBackgroundBlue, makeColor(1, 2, 3), colours.text, colours.text},
    };
    std::mt19937 random(16);
    for (const auto& palette : palettes) {
        for (int width : {2, 3, 63, 64, 65, 66, 127, 128, 129, 720, 1100, 4096}) {
            for (int round = 0; round < 4; ++round) {
                const LayerMasks m = randomMasks(width, random, palette);
                const QImage picture = pictureOf(m);
                for (auto [top, height] : {std::pair{0, 8}, {2, 5}, {6, 2}, {4, 1}})
                    expectSameUnit(m, picture, top, height, colours,
                                   "width " + std::to_string(width));
            }
        }
    }
}

TEST(LayerEncoder, RefusesWhatThePixelEncoderRefuses)
{
    std::mt19937 random(3);
    const ColorValue palette[4] = {kBackgroundBlue, 0, 0x808080, 0xFFFFFF};
    const LayerMasks m = randomMasks(720, random, palette);
    const OutputColours colours{0x808080, 0, 0xFFFFFF};
    EXPECT_THROW(EncodeSubpictureFromMasks(m, 6, 4, colours, 0, 1, FrameRate(25000), 1), Error);
    EXPECT_THROW(EncodeSubpictureFromMasks(m, 0, 0, colours, 0, 1, FrameRate(25000), 1), Error);
    // Every row a run of single pixels: far above the 65535 bytes a unit holds.
    LayerMasks busy = m;
    busy.height = 400;
    busy.low.assign(std::size_t(busy.words * busy.height), 0x5555555555555555ULL);
    busy.high.assign(busy.low.size(), 0x3333333333333333ULL);
    try {
        EncodeSubpictureFromMasks(busy, 0, 400, colours, 0, 1, FrameRate(25000), 7);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().startsWith("Subtitle 7 needs")) << e.message().toStdString();
    }
}

std::vector<StyledText> plainLines(const std::vector<QString>& texts)
{
    std::vector<StyledText> lines;
    for (const QString& t : texts)
        lines.push_back({t, {}});
    return lines;
}

// Drawn subtitles: the layers the renderer keeps give the unit its pixels give, also when the
// picture is drawn again over an earlier, larger drawing, and when the pixels are skipped.
TEST(LayerEncoder, RendererLayersMatchItsPixels)
{
    RenderSettings base;
    std::vector<RenderSettings> cases;
    for (int size : {6, 20, 36, 50}) {
        RenderSettings s = base;
        s.fontSize = size;
        cases.push_back(s);
    }
    RenderSettings left = base; // italic outline reaching column 0
    left.align = QStringLiteral("left");
    left.fontStyle.italic = true;
    left.outlineWidth = 4;
    cases.push_back(left);
    RenderSettings right = base;
    right.align = QStringLiteral("right");
    right.videoStandard = VideoStandard::NTSC;
    right.offset = 492; // at the top of the frame
    cases.push_back(right);
    RenderSettings same = base; // outline and ring in one colour, text in pure blue
    same.antialiasColor = same.outlineColor;
    same.textColor = kBackgroundBlue;
    cases.push_back(same);

    const std::vector<std::vector<StyledText>> blocks = {
        plainLines({"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", "|||"}),
        plainLines({"Short", ""}),
        {{"Mixed bold and italic",
          {{0, 5, TextStyle{false, true, false}}, {10, 21, TextStyle{true, false, false}}}},
         {"third", {}},
         {"", {}},
         {"fourth line of four", {}}},
    };
    SubtitleImage painted;
    SubtitleImage layersOnly;
    layersOnly.paintPixels = false;
    for (const RenderSettings& s : cases) {
        const OutputColours colours{s.antialiasColor, s.outlineColor, s.textColor};
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            ASSERT_TRUE(RenderSubtitleBlock(painted, blocks[b], 0, s));
            ASSERT_TRUE(RenderSubtitleBlock(layersOnly, blocks[b], 0, s));
            EXPECT_EQ(layersOnly.masks.low, painted.masks.low);
            EXPECT_EQ(layersOnly.masks.high, painted.masks.high);
            const int height = std::max(painted.bandHeight, 2);
            expectSameUnit(painted.masks, painted.pixels, painted.bandTop, height, colours,
                           "block " + std::to_string(b) + " size " + std::to_string(s.fontSize));
            // The whole frame, rows outside the band too, is the picture.
            EXPECT_EQ(pictureOf(painted.masks), painted.pixels) << "block " << b;
        }
    }
}

PipelineSteps recordingSteps(std::vector<int>& taken, int failAt, int stopAt, int jobs)
{
    PipelineSteps steps;
    steps.before = [stopAt](int k) { return k != stopAt; };
    steps.make = [failAt, jobs](int k, int worker) {
        EXPECT_GE(worker, 0);
        EXPECT_LT(worker, WorkerCount(jobs));
        if (k == failAt)
            throw Error(QStringLiteral("unit %1 failed").arg(k));
        EncodedPicture unit;
        unit.bytes.assign(std::size_t(k % 7 + 1), std::uint8_t(k));
        unit.box = QRect(k, 0, 1, 1);
        return unit;
    };
    steps.take = [&taken](int k, EncodedPicture& unit) {
        EXPECT_EQ(unit.bytes, std::vector<std::uint8_t>(std::size_t(k % 7 + 1), std::uint8_t(k)));
        EXPECT_EQ(unit.box, QRect(k, 0, 1, 1)) << "a unit's facts travel with its bytes";
        taken.push_back(k);
    };
    return steps;
}

TEST(UnitPipeline, HandsUnitsOverInOrderAndStopsExactlyAtAFailureOrAbort)
{
    for (int jobs : {1, 2, 4, 0}) {
        std::vector<int> taken;
        PipelineOutcome outcome = RunInOrder(300, jobs, recordingSteps(taken, -1, -1, jobs));
        EXPECT_EQ(outcome.taken, 300);
        EXPECT_FALSE(outcome.stopped);
        for (int k = 0; k < 300; ++k)
            ASSERT_EQ(taken[std::size_t(k)], k) << "jobs " << jobs;

        taken.clear();
        outcome = RunInOrder(300, jobs, recordingSteps(taken, -1, 123, jobs));
        EXPECT_TRUE(outcome.stopped);
        EXPECT_EQ(outcome.taken, 123);
        EXPECT_EQ(int(taken.size()), 123);

        taken.clear();
        try {
            RunInOrder(300, jobs, recordingSteps(taken, 57, -1, jobs));
            FAIL() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.message(), "unit 57 failed");
        }
        EXPECT_EQ(int(taken.size()), 57) << "jobs " << jobs;
    }
}

TEST(UnitPipeline, AFailureWhileWritingStopsTheWorkers)
{
    std::atomic<int> made{0};
    PipelineSteps steps;
    steps.before = [](int) { return true; };
    steps.make = [&made](int k, int) {
        ++made;
        EncodedPicture unit;
        unit.bytes.assign(1, std::uint8_t(k));
        return unit;
    };
    steps.take = [](int k, EncodedPicture&) {
        if (k == 5)
            throw std::runtime_error("disk full");
    };
    EXPECT_THROW(RunInOrder(100000, 3, steps), std::runtime_error);
    EXPECT_LT(made.load(), 100) << "workers run only a few units ahead of the writer";
    EXPECT_EQ(RunInOrder(0, 4, steps).taken, 0);
}

// A film of varied subtitles: styles, up to four lines, lines to break, overlapping times.
QByteArray variedFilm()
{
    const char* texts[] = {
        "<i>Where</i> were you <b>last night</b>?",
        "One\nTwo <u>under</u>\nThree\nFour",
        "A line far too long for the frame at this size, so that it has to be broken at a space "
        "somewhere",
        "- <b><i>Get in!</i></b>\n- Not without her!",
        "Caf\xc3\xa9 cr\xc3\xa8me br\xc3\xbbl\xc3\xa9\x65",
        "",
    };
    QByteArray srt;
    int start = 1000;
    for (int i = 0; i < 60; ++i) {
        const int shown = 700 + (i * 337) % 2500;
        const auto clock = [](int ms) {
            return QString::asprintf("00:%02d:%02d,%03d", ms / 60000, ms / 1000 % 60, ms % 1000)
                .toLatin1();
        };
        srt += QByteArray::number(i + 1) + "\n" + clock(start) + " --> " + clock(start + shown) +
               "\n" + texts[i % 6] + "\n\n";
        start += (i % 3 == 0) ? 400 : 1500; // every third subtitle overlaps the next
    }
    return srt;
}

TEST(ParallelGeneration, ManyThreadsWriteWhatOneWrites)
{
    QTemporaryDir dir;
    const QString srt = writeFileIn(dir, "film.srt", variedFilm());
    TSubtitle list;
    list.LoadFromFile(srt, true, FrameRate(25000), 0);
    // Every sixth subtitle holds no text and gives no entry.
    ASSERT_EQ(list.Count(), 50);
    RenderSettings settings;
    settings.wrapLongLines = true;
    settings.fontSize = 28;
    QByteArray idx[2], sub[2];
    int pictures = 0;
    for (int run = 0; run < 2; ++run) {
        GenerationRequest request = defaultRequest(list, srt, settings);
        request.jobs = run == 0 ? 1 : 4;
        request.outputFolder = dir.filePath(QString::number(run));
        ASSERT_TRUE(QDir().mkpath(request.outputFolder));
        GenerationCallbacks callbacks;
        std::set<int> wanted;
        int shown = 0;
        callbacks.beforeSubtitle = [&wanted](int index, int) {
            wanted.insert(index);
            return true;
        };
        callbacks.pictureWanted = [](int index, int) { return index % 10 == 1; };
        callbacks.afterRender = [&shown](const SubtitleImage& image) {
            ++shown;
            EXPECT_EQ(image.pixels.width(), 720);
        };
        const GenerationResult result = RunGeneration(request, callbacks);
        idx[run] = readAll(idxOf(result));
        sub[run] = readAll(subOf(result));
        pictures = result.written;
        EXPECT_EQ(shown, (result.written + 9) / 10);
        EXPECT_EQ(int(wanted.size()), result.written);
    }
    EXPECT_GT(pictures, 60) << "overlaps add pictures";
    EXPECT_GE(sub[0].size(), pictures * 2048);
    EXPECT_EQ(idx[1], idx[0]);
    EXPECT_TRUE(sub[1] == sub[0]);
}

} // namespace

TEST(UnitPipeline, WorkersFollowTheProcessorsTheProcessMayUse)
{
    // A CPU quota of a container, rounded up to whole processors; "max" is none.
    EXPECT_EQ(platform::processorsOfQuota("200000 100000"), 2);
    EXPECT_EQ(platform::processorsOfQuota("150000 100000"), 2);
    EXPECT_EQ(platform::processorsOfQuota("50000 100000"), 1);
    EXPECT_EQ(platform::processorsOfQuota("max 100000"), std::nullopt);
    EXPECT_EQ(platform::processorsOfQuota(""), std::nullopt);

    // As under "taskset -c N": one processor allowed, one worker by default.
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
        if (CPU_ISSET(cpu, &all)) {
            CPU_SET(cpu, &one);
            break;
        }
    }
    ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
    const int workers = WorkerCount(0);
    sched_setaffinity(0, sizeof all, &all);
    EXPECT_EQ(workers, 1);
    EXPECT_EQ(WorkerCount(3), 3) << "--jobs given is taken as it is";
}
