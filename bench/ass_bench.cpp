// ASS/SSA beside SubRip: the same generated dialogue film (two lines a subtitle) written as a
// SubRip file and as an ASS script with one plain style, each converted to a VobSub pair by a
// whole run on `jobs` threads. Prints events a second for both.
#include "Bench.h"
#include "ass/AssSource.h"
#include "convert/GenerationRun.h"
#include "convert/TextSource.h"
#include "vobsub/VobSubWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace lumelle::bench {

namespace {

QByteArray assTime(qint64 ms)
{
    return QString::asprintf("%lld:%02lld:%02lld.%02lld", ms / 3600000, ms / 60000 % 60,
                             ms / 1000 % 60, ms % 1000 / 10)
        .toLatin1();
}

// The generated film as an ASS script: one style like the window's defaults (Arial 20 pt,
// white, black outline 3), the same text and times.
QString writeAssFilm(const QString& path, const GeneratedFilm& film)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    QByteArray text = "[Script Info]\nScriptType: v4.00+\nPlayResX: 720\nPlayResY: 576\n\n"
                      "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, "
                      "SecondaryColour, OutlineColour, BackColour, Bold, Italic, Underline, "
                      "StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, "
                      "Alignment, MarginL, MarginR, MarginV, Encoding\n"
                      "Style: Default,Arial,27,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,"
                      "0,0,100,100,0,0,1,2,0,2,10,10,40,1\n\n[Events]\nFormat: Layer, Start, "
                      "End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";
    for (int i = 0; i < film.count; ++i) {
        const qint64 start = film.firstStartMs + qint64(i) * film.periodMs;
        text += "Dialogue: 0," + assTime(start) + "," + assTime(start + film.shownMs) +
                ",Default,,0,0,0,,Subtitle number " + QByteArray::number(i + 1) + " of the " +
                film.title + ",\\N" + film.secondLine + "\n";
    }
    f.write(text);
    return f.error() == QFileDevice::NoError ? path : QString();
}

double timeRun(std::shared_ptr<PictureSource> source, const QString& file, int jobs,
               const QString& folder)
{
    QDir().mkpath(folder);
    GenerationRequest request;
    request.source = std::move(source);
    VobSubOptions pair;
    pair.frameRate = FrameRate(25000);
    pair.languageText = QStringLiteral("en ENGLISH");
    const RenderSettings settings;
    pair.colours = {settings.antialiasColor, settings.outlineColor, settings.textColor};
    request.writer = std::make_shared<VobSubWriter>(pair);
    request.subtitleFile = file;
    request.outputFolder = folder;
    request.jobs = jobs;
    const double start = nowSeconds();
    RunGeneration(request, {});
    return nowSeconds() - start;
}

int assBench(const QStringList& args)
{
    const int count = args.size() > 0 && args[0].toInt() > 0 ? args[0].toInt() : 1500;
    const int jobs = args.size() > 1 && args[1].toInt() >= 0 ? args[1].toInt() : 0;
    QTemporaryDir dir;
    GeneratedFilm film;
    film.count = count;
    film.periodMs = 2000;
    film.shownMs = 1800;
    film.title = "dialogue film";
    film.secondLine = "and a second line of dialogue";
    const QString srt = writeGeneratedFilm(dir.filePath("film.srt"), film);
    const QString ass = writeAssFilm(dir.filePath("film.ass"), film);
    if (srt.isEmpty() || ass.isEmpty()) {
        std::fprintf(stderr, "cannot write the films\n");
        return 1;
    }
    TSubtitle list;
    list.LoadFromFile(srt, true, FrameRate(25000), 0);
    const double subRip = timeRun(std::make_shared<TextPictureSource>(list, RenderSettings()), srt,
                                  jobs, dir.filePath("srt"));
    const double startAss = nowSeconds();
    auto script = std::make_shared<const AssScript>(ReadAssScript(ass));
    const double read = nowSeconds() - startAss;
    const double assRun = timeRun(std::make_shared<AssPictureSource>(script, AssSourceSettings()),
                                  ass, jobs, dir.filePath("ass"));
    std::printf("%d events, jobs %d\n", count, jobs);
    std::printf("  SubRip  %8.0f events a second  (%.2f s)\n", count / subRip, subRip);
    std::printf("  ASS     %8.0f events a second  (%.2f s, of which reading %.2f s)\n",
                count / (assRun + read), assRun + read, read);
    return 0;
}

const BenchRegistrar registerAss("ass", "[COUNT] [JOBS]  a dialogue film as SubRip and as ASS",
                                 assBench);

} // namespace

} // namespace lumelle::bench
