// Timing of the subtitle renderer: RenderSubtitleBlock for typical two-line subtitles, and
// MeasureText alone (the width check of a whole film measures every line).
#include "Bench.h"
#include "render/LayerRenderer.h"
#include "render/TextShaping.h"

#include <cstdio>
#include <string>
#include <vector>

namespace lumelle::bench {

namespace {

const std::vector<std::pair<QString, QString>>& sampleSubtitles()
{
    static const std::vector<std::pair<QString, QString>> lines{
        {"I never thought I'd see this place again.", "Neither did I, to be honest."},
        {"Where were you on the night of the fire?", ""},
        {"- Get in the car!", "- Not without my sister!"},
        {"The valley was green when we were children.", "Now look at it."},
        {"Caf\xc3\xa9, cr\xc3\xa8me br\xc3\xbbl\xc3\xa9\x65 and a glass of water.", ""},
        {"We leave at dawn. Tell the others.", "And bring the maps, all of them."},
    };
    return lines;
}

// Draws a two-line subtitle as the run draws one.
void render(SubtitleImage& image, const QString& line1, const QString& line2,
            const RenderSettings& settings)
{
    RenderSubtitleBlock(image, {StyledText{line1, {}}, StyledText{line2, {}}}, 0, settings);
}

int renderBench(const QStringList& args)
{
    const int count = argInt(args, 0, 3000);
    RenderSettings settings; // PAL, Arial 20, outline 3
    const auto& lines = sampleSubtitles();
    SubtitleImage image;
    // The first call makes the image and loads the font; time it on its own.
    double start = nowSeconds();
    render(image, lines[0].first, lines[0].second, settings);
    const double firstMs = (nowSeconds() - start) * 1e3;

    long long checksum = 0;
    start = nowSeconds();
    for (int i = 0; i < count; ++i) {
        const auto& [line1, line2] = lines[std::size_t(i) % lines.size()];
        render(image, line1, line2, settings);
        checksum += image.bandTop + image.bandHeight;
    }
    const double totalNs = (nowSeconds() - start) * 1e9;
    std::printf("render: %d subtitles, PAL, Arial 20, outline 3, two lines in four of six\n",
                count);
    std::printf("  first call      %.2f ms\n", firstMs);
    std::printf("  per subtitle    %.1f us\n", totalNs / count / 1e3);
    std::printf("  throughput      %.0f subtitles/s on one thread\n", count / (totalNs / 1e9));

    for (int width : {2, 4}) {
        settings.outlineWidth = width;
        start = nowSeconds();
        for (int i = 0; i < count; ++i) {
            const auto& [line1, line2] = lines[std::size_t(i) % lines.size()];
            render(image, line1, line2, settings);
        }
        std::printf("  outline %d       %.1f us per subtitle\n", width,
                    (nowSeconds() - start) * 1e6 / count);
    }

    start = nowSeconds();
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        const auto& [line1, line2] = lines[std::size_t(i) % lines.size()];
        widest = std::max(widest, MeasureText(line1, "Arial", 20, {}).width);
        widest = std::max(widest, MeasureText(line2, "Arial", 20, {}).width);
    }
    std::printf("  MeasureText     %.1f us per subtitle (two lines)\n",
                (nowSeconds() - start) * 1e6 / count);
    std::printf("  (checksum %lld, widest %d)\n", checksum, widest);
    std::printf("  peak memory     %ld KiB\n", peakRssKiB());
    return 0;
}

const BenchRegistrar registrar("render",
                               "[COUNT]  time RenderSubtitleBlock for typical "
                               "two-line subtitles",
                               &renderBench);

} // namespace

} // namespace lumelle::bench
