#include "cli/OutputForm.h"

#include "ass/AssSource.h"
#include "cli/Brightness.h"
#include "cli/FolderInputs.h"
#include "convert/UnitPipeline.h"
#include "pgs/BdnXmlWriter.h"
#include "pgs/BluRayForm.h"
#include "pgs/PgsWriter.h"
#include "render/WidthCheck.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "vobsub/Languages.h"
#include "vobsub/VobSubWriter.h"

namespace lumelle {

namespace {

// The choices of the DVD forms; a stream is named in the index by its file as given.
VobSubOptions vobSubOptions(const RunState& run, const ConvertOptions& options,
                            const QString& languageText)
{
    VobSubOptions pair;
    pair.frameRate = FrameRate::fromText(options.fpsText);
    pair.mode = options.mode;
    pair.languageText = languageText;
    pair.helpFile = options.helpFile;
    // The palette holds the colours as the pictures show them (--brightness scales both).
    const BrightnessScale scale(options.brightness);
    pair.colours = {scale.colour(options.settings.antialiasColor),
                    scale.colour(options.settings.outlineColor),
                    scale.colour(options.settings.textColor)};
    pair.pair = options.writePair;
    pair.sup = options.writeSup;
    for (const StreamInput& stream : options.streams)
        pair.streams.push_back({stream.code, stream.alt, run.inputs.shownName(stream.file)});
    pair.defaultStream = options.defaultStream;
    return pair;
}

// The choices of the Blu-ray forms.
BluRayOptions bluRayOptions(const ConvertOptions& options, const QString& languageText,
                            QSize frame = QSize())
{
    BluRayOptions o;
    o.frameRate = RunFrameRate(options);
    o.frame = frame.isEmpty() ? BluRayFrameOf(options) : frame;
    o.language = ThreeLetterLanguageCode(QString::fromStdString(LanguageCodeOf(languageText)));
    return o;
}

// The settings subtitles are measured and drawn with: a Blu-ray form draws at its frame.
RenderSettings drawingSettings(const ConvertOptions& options)
{
    RenderSettings settings = options.settings;
    if (WritesBluRay(options))
        settings.frame = BluRayFrameOf(options);
    return settings;
}

} // namespace

QString OutputFolderFor(const RunState& run, const QString& file)
{
    if (!run.options.outputFolder.isEmpty())
        return TreeOutputFolder(run.options, file);
    return run.inputs.folderOf(file);
}

std::shared_ptr<PictureWriter> WriterFor(const RunState& run, const QString& languageText,
                                         QSize frame)
{
    return WriterFor(run, run.options, languageText, frame);
}

std::shared_ptr<PictureWriter> WriterFor(const RunState& run, const ConvertOptions& options,
                                         const QString& languageText, QSize frame)
{
    if (options.writePgs)
        return std::make_shared<PgsWriter>(bluRayOptions(options, languageText, frame));
    if (options.writeBdn)
        return std::make_shared<BdnXmlWriter>(bluRayOptions(options, languageText, frame));
    return std::make_shared<VobSubWriter>(vobSubOptions(run, options, languageText));
}

std::shared_ptr<PictureWriter> PairWriterFor(const RunState& run, const ConvertOptions& options,
                                             const std::vector<VobSubStream>& streams,
                                             int defaultStream)
{
    VobSubOptions pair = vobSubOptions(run, options, options.languageText);
    pair.streams = streams;
    pair.defaultStream = defaultStream;
    return std::make_shared<VobSubWriter>(pair);
}

const OutputSet& OutputSetOf(const RunState& run)
{
    if (run.options.writePgs)
        return PgsWriter::supFile();
    if (run.options.writeBdn)
        return BdnXmlWriter::xmlFile();
    return VobSubWriter(vobSubOptions(run, run.options, run.options.languageText)).outputs();
}

ConvertOptions WithInputRate(const ConvertOptions& options, QSize frame)
{
    if (options.fpsGiven)
        return options;
    // The DVD frames tell their video: 480 lines are NTSC, 576 PAL.
    QString rate;
    if (frame == QSize(frameWidth(VideoStandard::NTSC), frameHeight(VideoStandard::NTSC)))
        rate = QStringLiteral("29970");
    else if (frame == QSize(frameWidth(VideoStandard::PAL), frameHeight(VideoStandard::PAL)))
        rate = QStringLiteral("25000");
    if (rate.isEmpty() || rate == options.fpsText)
        return options;
    ConvertOptions own = options;
    own.fpsText = rate;
    own.settings.videoStandard = VideoStandardFromFps(rate);
    // A Blu-ray form keeps the rate only where its frame has video at that rate.
    if (WritesBluRay(own)) {
        const QString text = QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height());
        const QSize written = own.frameSizeText.isEmpty() && BluRayFrameSizeTexts().contains(text)
                                  ? frame
                                  : BluRayFrameOf(own);
        if (!BluRayFormatProblem(written, FrameRate::fromText(rate)).isEmpty())
            return options;
    }
    return own;
}

std::shared_ptr<PictureSource> SourceFor(const TSubtitle& list, const QString& file,
                                         const ConvertOptions& options, bool forced)
{
    return WithTiming(PictureSourceOf(list, file, options.settings, RunFrameRate(options),
                                      options.animationSteps, forced),
                      options);
}

pgs::PgsSourceSettings PictureSourceSettings(const ConvertOptions& options)
{
    pgs::PgsSourceSettings s;
    s.rate = RunFrameRate(options);
    s.dvdFrame = QSize(frameWidth(options.settings.videoStandard),
                       frameHeight(options.settings.videoStandard));
    s.inks = {options.settings.textColor, options.settings.outlineColor,
              options.settings.antialiasColor};
    s.forced = options.forced;
    s.wide = options.wideDvd;
    s.placement = options.placement;
    return s;
}

std::shared_ptr<PictureSource> WithTiming(std::shared_ptr<PictureSource> source,
                                          const ConvertOptions& options)
{
    if (options.brightness < 100)
        source = std::make_shared<BrightnessSource>(std::move(source), options.brightness);
    if (options.retiming.isNone())
        return source;
    return std::make_shared<RetimedPictureSource>(std::move(source), options.retiming,
                                                  RunFrameRate(options));
}

int LeftOutByTiming(const PictureSource& source)
{
    const auto* retimed = dynamic_cast<const RetimedPictureSource*>(&source);
    return retimed ? retimed->leftOut() : 0;
}

QString TooWideIn(const TSubtitle& list, const ConvertOptions& options)
{
    if (list.Kind() == FileKind::Ass)
        return QString();
    return FirstTooWideSubtitle(list, drawingSettings(options), WorkerCount(options.jobs));
}

} // namespace lumelle
