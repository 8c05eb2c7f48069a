// Where a Blu-ray conversion's time goes: the generated film drawn in full colour at 1920x1080,
// its pictures boxed, indexed and run-length coded stage by stage on one thread; then whole PGS
// runs beside whole VobSub runs of the same film (on one thread and on every core), and the
// converter itself run as a user runs it. Per-stage figures are microseconds per subtitle.
#include "Bench.h"
#include "convert/GenerationRun.h"
#include "convert/TextSource.h"
#include "convert/UnitPipeline.h"
#include "pgs/ColourIndexing.h"
#include "pgs/PgsSegments.h"
#include "pgs/PgsWriter.h"
#include "render/ColourRenderer.h"
#include "render/TextBlock.h"
#include "vobsub/VobSubWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace lumelle::bench {

namespace {

constexpr QSize kFrame(1920, 1080);

std::shared_ptr<PictureWriter> pgsWriter()
{
    BluRayOptions options;
    options.frameRate = FrameRate(25000);
    options.frame = kFrame;
    return std::make_shared<PgsWriter>(options);
}

std::shared_ptr<PictureWriter> vobSubWriter(const RenderSettings& settings)
{
    VobSubOptions pair;
    pair.frameRate = FrameRate(25000);
    pair.languageText = QStringLiteral("en ENGLISH");
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    return std::make_shared<VobSubWriter>(pair);
}

// Times a whole run of `list` into `folder` on `jobs` threads; returns the seconds.
double timeRun(const TSubtitle& list, const QString& srt, const RenderSettings& settings,
               std::shared_ptr<PictureWriter> writer, int jobs, const QString& folder)
{
    QDir().mkpath(folder);
    GenerationRequest request;
    request.source = std::make_shared<TextPictureSource>(list, settings);
    request.writer = std::move(writer);
    request.subtitleFile = srt;
    request.outputFolder = folder;
    request.jobs = jobs;
    const double start = nowSeconds();
    RunGeneration(request, {});
    return nowSeconds() - start;
}

// The converter run on the film as a user runs it (every core); the wall seconds, or a
// negative number when it failed.
double timeConverter(const QString& srt, const QString& format, const QString& folder)
{
    QDir().mkpath(folder);
    QProcess converter;
    const double start = nowSeconds();
    converter.start(converterPath(), {"-q", "--format", format, "--output", folder, srt});
    if (!converter.waitForFinished(-1) || converter.exitStatus() != QProcess::NormalExit ||
        converter.exitCode() != 0)
        return -1;
    return nowSeconds() - start;
}

qint64 sizeOf(const QString& path)
{
    return QFileInfo(path).size();
}

int bluray(const QStringList& args)
{
    const int count = argInt(args, 0, 1500);
    RenderSettings settings;
    settings.fontSize = argInt(args, 1, 20);
    QTemporaryDir dir;
    // The film of the stages benchmark: two lines, the second in italics.
    const QString srt =
        writeGeneratedFilm(dir.filePath("film.srt"),
                           {count, 0, 900, 800, "long film", "<i>with a second line of text.</i>"});
    std::printf("bluray: %d subtitles, 1920x1080, Arial %d, outline 3, one thread\n", count,
                settings.fontSize);
    TSubtitle list;
    list.LoadFromFile(srt, true, FrameRate(25000), 0);

    // Each stage of the PGS path on its own, as a worker does them.
    RenderSettings colour = settings;
    colour.frame = kFrame;
    ColourImage image;
    double draw = 0, boxes = 0, index = 0, code = 0;
    std::int64_t pixels = 0, codedBytes = 0;
    for (int i = 1; i <= list.Count(); ++i) {
        double start = nowSeconds();
        RenderColourBlocks(image, PlacedBlocks({list.line(i)}, colour), colour);
        double now = nowSeconds();
        draw += now - start;
        start = now;
        const std::vector<QRect> objectBoxes = pgs::ObjectBoxes(image, kFrame);
        now = nowSeconds();
        boxes += now - start;
        start = now;
        const pgs::IndexedPicture indexed = pgs::IndexColours(image, objectBoxes, true);
        now = nowSeconds();
        index += now - start;
        start = now;
        for (const pgs::IndexedObject& object : indexed.objects) {
            codedBytes += std::int64_t(
                pgs::RunLengthRows(object.pixels, object.box.width(), object.box.height()).size());
            pixels += std::int64_t(object.pixels.size());
        }
        code += nowSeconds() - start;
    }
    stageLine("draw (full colour)", draw, count, "text laid out, glyphs placed");
    stageLine("object boxes", boxes, count);
    stageLine("index colours", index, count);
    stageLine("run-length rows", code, count);
    std::printf("  (%.0f pixels and %.0f coded bytes per picture)\n", double(pixels) / count,
                double(codedBytes) / count);

    const int cores = WorkerCount(0);
    const double pgsSerial =
        timeRun(list, srt, settings, pgsWriter(), 1, dir.filePath("pgs-serial"));
    const double pgsParallel =
        timeRun(list, srt, settings, pgsWriter(), cores, dir.filePath("pgs-parallel"));
    const double vobSerial =
        timeRun(list, srt, settings, vobSubWriter(settings), 1, dir.filePath("vobsub-serial"));
    const double vobParallel = timeRun(list, srt, settings, vobSubWriter(settings), cores,
                                       dir.filePath("vobsub-parallel"));
    const auto same = [&dir](const QString& a, const QString& b) {
        QFile first(dir.filePath(a)), second(dir.filePath(b));
        return first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly) &&
               first.readAll() == second.readAll();
    };
    const bool pgsSame = same("pgs-serial/film.sup", "pgs-parallel/film.sup");
    std::printf("  %-9s %-10s %10s %14s\n", "run", "", "ms", "subtitles/s");
    std::printf("  %-9s %-10s %10.1f %14.0f\n", "PGS", "1 thread", pgsSerial * 1e3,
                count / pgsSerial);
    std::printf("  %-9s %d threads  %10.1f %14.0f  (%s output, .sup %lld bytes)\n", "PGS", cores,
                pgsParallel * 1e3, count / pgsParallel, pgsSame ? "same" : "DIFFERENT",
                sizeOf(dir.filePath("pgs-parallel/film.sup")));
    std::printf("  %-9s %-10s %10.1f %14.0f\n", "VobSub", "1 thread", vobSerial * 1e3,
                count / vobSerial);
    std::printf("  %-9s %d threads  %10.1f %14.0f\n", "VobSub", cores, vobParallel * 1e3,
                count / vobParallel);

    // The whole process, start-up and writing included, as the goal is stated.
    for (const char* format : {"pgs", "vobsub"}) {
        const double seconds =
            timeConverter(srt, QString::fromLatin1(format), dir.filePath(QString("cli-") + format));
        if (seconds < 0)
            std::printf("  lumelle-convert --format %s FAILED\n", format);
        else
            std::printf("  lumelle-convert --format %-7s %8.1f ms %14.0f subtitles/s (process)\n",
                        format, seconds * 1e3, count / seconds);
    }
    std::printf("  (peak memory %ld KiB)\n", peakRssKiB());
    return pgsSame ? 0 : 1;
}

const BenchRegistrar registerBluRay("bluray",
                                    "[COUNT=1500] [SIZE=20]  Blu-ray PGS stages and runs beside "
                                    "VobSub",
                                    bluray);

} // namespace

} // namespace lumelle::bench
