// Where a conversion's time goes: a generated film through each stage on its own (read, check,
// render, encode, write), one subtitle after another on one thread, then whole runs on one
// thread and on every core. Per-stage figures are microseconds per subtitle.
#include "Bench.h"
#include "convert/GenerationRun.h"
#include "convert/TextSource.h"
#include "convert/UnitPipeline.h"
#include "render/LayerRenderer.h"
#include "render/TextBlock.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/SubpictureEncoder.h"
#include "vobsub/VobSubWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <thread>

namespace lumelle::bench {

namespace {

// Times a whole run of `list` on `jobs` threads; returns the seconds.
double timeRun(const TSubtitle& list, const QString& srt, const RenderSettings& settings, int jobs,
               const QString& folder)
{
    QDir().mkpath(folder);
    GenerationRequest request;
    request.source = std::make_shared<TextPictureSource>(list, settings);
    VobSubOptions pair;
    pair.frameRate = FrameRate(25000);
    pair.languageText = QStringLiteral("en ENGLISH");
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    request.writer = std::make_shared<VobSubWriter>(pair);
    request.subtitleFile = srt;
    request.outputFolder = folder;
    request.jobs = jobs;
    const double start = nowSeconds();
    RunGeneration(request, {});
    return nowSeconds() - start;
}

// True when both files hold the same bytes; read a megabyte at a time.
bool sameFile(const QString& first, const QString& second)
{
    QFile a(first), b(second);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly) || a.size() != b.size())
        return false;
    while (!a.atEnd()) {
        if (a.read(1 << 20) != b.read(1 << 20))
            return false;
    }
    return true;
}

int stages(const QStringList& args)
{
    const int count = argInt(args, 0, 1500);
    RenderSettings settings;
    settings.fontSize = argInt(args, 1, 20);
    QTemporaryDir dir;
    // The film of the soak benchmark: two lines, the second in italics.
    const QString srt =
        writeGeneratedFilm(dir.filePath("film.srt"),
                           {count, 0, 900, 800, "long film", "<i>with a second line of text.</i>"});
    const FrameRate rate(25000);
    std::printf("stages: %d subtitles, PAL, Arial %d, outline 3, one thread\n", count,
                settings.fontSize);

    TSubtitle list;
    double start = nowSeconds();
    list.LoadFromFile(srt, true, rate, 0);
    stageLine("read", nowSeconds() - start, count);

    start = nowSeconds();
    int tooWide = 0;
    for (int i = 1; i <= list.Count(); ++i)
        tooWide += EntryFitsWidth(list.line(i), settings) ? 0 : 1;
    stageLine("check: line widths", nowSeconds() - start, count);
    start = nowSeconds();
    int tooTall = 0;
    for (int i = 1; i <= list.Count(); ++i) {
        int anchor = 0;
        tooTall += BlockFitsFrame(StackedLines({list.line(i)}, settings, anchor), settings) ? 0 : 1;
    }
    stageLine("check: block heights", nowSeconds() - start, count);

    // Drawing and encoding, the layers only as the run does them, then drawing the RGB picture
    // as the preview does, for comparison.
    SubtitleImage image;
    image.paintPixels = false;
    // The write stage writes these again in turn; a long film's units are not all kept.
    constexpr std::size_t kKeptUnits = 256;
    std::vector<std::vector<std::uint8_t>> units;
    double render = 0, encode = 0;
    for (int i = 1; i <= list.Count(); ++i) {
        int anchor = 0;
        start = nowSeconds();
        const std::vector<StyledText> lines = StackedLines({list.line(i)}, settings, anchor);
        RenderSubtitleBlock(image, lines, anchor, settings);
        const double drawn = nowSeconds();
        std::vector<std::uint8_t> unit =
            EncodeSubpictureFromMasks(image.masks, image.bandTop, std::max(image.bandHeight, 2), {},
                                      i * 10, i * 10 + 5, rate, i);
        render += drawn - start;
        encode += nowSeconds() - drawn;
        if (units.size() < kKeptUnits)
            units.push_back(std::move(unit));
    }
    stageLine("render (layers)", render, count, "text decoded, laid out, drawn");
    stageLine("encode (bit rows)", encode, count);

    SubtitleImage painted;
    double renderRgb = 0;
    const int sample = std::min(count, 500);
    for (int i = 1; i <= sample; ++i) {
        int anchor = 0;
        start = nowSeconds();
        RenderSubtitleBlock(painted, StackedLines({list.line(i)}, settings, anchor), anchor,
                            settings);
        renderRgb += nowSeconds() - start;
    }
    stageLine("render (RGB + layers)", renderRgb, sample, "for the preview; not in a run");

    QFile sub(dir.filePath("stage.sub"));
    QFile idx(dir.filePath("stage.idx"));
    sub.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    idx.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    start = nowSeconds();
    std::uint32_t packs = 0;
    for (int i = 0; i < count; ++i) {
        const std::uint32_t before = packs;
        WriteSubtitlePacks(sub, units[std::size_t(i) % units.size()], (i + 1) * 10, rate, i + 1,
                           packs);
        WriteIndexEntry(idx, (i + 1) * 10, rate, before);
    }
    stageLine("write (.sub + .idx)", nowSeconds() - start, count);

    const int cores = WorkerCount(0);
    const double serial = timeRun(list, srt, settings, 1, dir.filePath("serial"));
    const double parallel = timeRun(list, srt, settings, cores, dir.filePath("parallel"));
    const bool same =
        sameFile(dir.filePath("serial/film.sub"), dir.filePath("parallel/film.sub")) &&
        sameFile(dir.filePath("serial/film.idx"), dir.filePath("parallel/film.idx"));
    std::printf("  whole run, 1 thread    %8.1f ms  %8.0f subtitles/s\n", serial * 1e3,
                count / serial);
    std::printf("  whole run, %d threads   %8.1f ms  %8.0f subtitles/s  (%s output)\n", cores,
                parallel * 1e3, count / parallel, same ? "same" : "DIFFERENT");
    std::printf("  (%d too wide, %d too tall; peak memory %ld KiB)\n", tooWide, tooTall,
                peakRssKiB());
    return same ? 0 : 1;
}

// Writes the generated film for other tools (hyperfine, spumux) to read.
int film(const QStringList& args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "film: COUNT PATH\n");
        return 2;
    }
    const QString path =
        writeGeneratedFilm(args[1], {argInt(args, 0, 1500), 0, 900, 800, "long film",
                                     "<i>with a second line of text.</i>"});
    return path.isEmpty() ? 1 : 0;
}

const BenchRegistrar
    registerStages("stages", "[COUNT=1500] [SIZE=20]  per-stage costs of a generated film", stages);
const BenchRegistrar registerFilm("film", "COUNT PATH  write the generated film as SubRip", film);

} // namespace

} // namespace lumelle::bench
