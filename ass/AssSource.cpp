#include "ass/AssSource.h"

#include "ass/AssEventColours.h"
#include "convert/PalettePlan.h"
#include "convert/TextSource.h"
#include "platform/Error.h"
#include "subtitle/AssText.h"
#include "subtitle/FileKind.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/TimeCodes.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

namespace lumelle {

namespace {

// True when the event's text shows anything: a character outside the override blocks that is
// not a blank or a line break (a drawing's shape counts).
bool showsSomething(const std::string& text)
{
    for (const std::string& line : AssPlainLines(text)) {
        if (line.find_first_not_of(" \t") != std::string::npos)
            return true;
    }
    // A drawing's shape is left out of the plain lines: look for one.
    std::string outside;
    int depth = 0;
    for (char c : text) {
        if (c == '{')
            ++depth;
        else if (c == '}')
            depth = std::max(depth - 1, 0);
        else if (depth == 0)
            outside += c;
    }
    return text.find("\\p") != std::string::npos &&
           outside.find_first_not_of(" \t") != std::string::npos;
}

// True when the event's effect moves it across the picture while it shows: SSA's banner
// and scrolling text, which libass draws moving.
bool effectMoves(const char* effect)
{
    const QString name = QString::fromUtf8(effect ? effect : "").trimmed();
    for (const char* moving : {"Banner;", "Scroll up;", "Scroll down;"})
        if (name.startsWith(QLatin1String(moving), Qt::CaseInsensitive))
            return true;
    return false;
}

// True when the event's letters are blurred somewhere: by its style's blur or a \blur or \be
// tag above zero (an animated one counts too).
bool blurs(const std::string& text, const ASS_Style* style)
{
    if (style && style->Blur > 0)
        return true;
    for (const auto& [name, argument] : AssOverrideTags(text)) {
        if ((name == "blur" || name == "be") && std::strtod(argument.c_str(), nullptr) > 0)
            return true;
        if (name == "t" && (argument.find("\\blur") != std::string::npos ||
                            argument.find("\\be") != std::string::npos))
            return true;
    }
    return false;
}

// "Events 3, 7 and 12" for the notes, the first few named and the rest counted.
QString eventList(const std::vector<int>& numbers)
{
    constexpr std::size_t kNamed = 20;
    QStringList named;
    for (std::size_t i = 0; i < numbers.size() && i < kNamed; ++i)
        named << QString::number(numbers[i]);
    QString text = (numbers.size() == 1 ? QStringLiteral("Event ") : QStringLiteral("Events ")) +
                   named.join(QStringLiteral(", "));
    if (numbers.size() > kNamed)
        text += QStringLiteral(" and %1 more").arg(numbers.size() - kNamed);
    return text;
}

} // namespace

AssPictureSource::AssPictureSource(std::shared_ptr<const AssScript> script,
                                   const AssSourceSettings& settings)
    : m_script(std::move(script)), m_settings(settings)
{
    m_settings.picturesPerSecond = std::clamp(m_settings.picturesPerSecond, 1, 100);
}

AssPictureSource::~AssPictureSource() = default;

void AssPictureSource::readEvents()
{
    const ASS_Track* track = m_planRendering->track();
    m_events.clear();
    for (int i = 0; i < track->n_events; ++i) {
        const ASS_Event& e = track->events[i];
        const std::string text = e.Text ? e.Text : "";
        if (e.Duration <= 0 || !showsSomething(text))
            continue;
        Event event;
        // The same rule as the reader's: an event wholly before zero, or starting later than a
        // stream can hold, is left out (the load report names it); one that starts before zero
        // is shown from zero.
        event.start = std::max<long long>(e.Start, 0);
        event.end = e.Start + e.Duration;
        if (event.end <= 0 ||
            !StartFitsStream(FramesOfMillis(event.start, m_settings.rate), m_settings.rate))
            continue;
        event.number = i + 1;
        event.animated = AssTextAnimates(text) || effectMoves(e.Effect);
        const bool styled = e.Style >= 0 && e.Style < track->n_styles;
        const ASS_Style* style = styled ? &track->styles[e.Style] : nullptr;
        event.forced =
            m_settings.forced || (style && StyleNameMarksForced(QString::fromUtf8(style->Name)));
        event.blurred = blurs(text, style);
        AssStyleLook look;
        if (style)
            look = {style->PrimaryColour, style->OutlineColour, style->Outline > 0};
        std::vector<AssColourRun> runs = AssColourRuns(text, look);
        // A drawing shows no letters: it counts as one in its style's look.
        if (runs.empty())
            runs.push_back(
                {look.text, look.outlined ? std::optional(look.outline) : std::nullopt, 1});
        for (const AssColourRun& run : runs) {
            event.colours.emplace_back(AssShownColour(run.text, track->YCbCrMatrix), run.letters);
            if (run.outline)
                event.outlines.emplace_back(AssShownColour(*run.outline, track->YCbCrMatrix),
                                            run.letters);
        }
        m_events.push_back(std::move(event));
    }
}

void AssPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    m_planRendering = std::make_unique<AssRendering>(*m_script, m_settings.frame);
    readEvents();
    m_pieces.clear();
    m_notes.clear();
    const auto& tooLarge = m_planRendering->tooLarge();
    for (const AssRendering::TooLarge& event : tooLarge)
        m_notes << QStringLiteral("Event %1 was skipped: %2.").arg(event.number).arg(event.reason);
    m_skipped = int(tooLarge.size());
    const std::vector<int> mixed = planPieces(checkStart);
    const std::vector<int> replaced = planPalette();
    drawEachFontOnce();
    m_notes << FontReplacementNotes(m_planRendering->takeFontMessages());
    if (!m_colour && !mixed.empty())
        m_notes << QStringLiteral("%1 %2 more text colours than a DVD picture can (three "
                                  "inks: outline and two text colours); the nearest inks are "
                                  "used.")
                       .arg(eventList(mixed),
                            mixed.size() == 1 ? QStringLiteral("shows") : QStringLiteral("show"));
    if (!m_colour && !replaced.empty())
        m_notes << QStringLiteral("%1 %2 for colours beyond the 16 of the palette and %3 drawn "
                                  "in the nearest colour it holds.")
                       .arg(eventList(replaced),
                            replaced.size() == 1 ? QStringLiteral("asks") : QStringLiteral("ask"),
                            replaced.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"));
}

std::vector<int>
AssPictureSource::planPieces(const std::function<void(int startFrame, int number)>& checkStart)
{
    const std::vector<long long> cuts = cutTimes();
    const std::vector<std::size_t> byStart = eventsByStart();
    std::vector<char> shared(m_events.size(), 0);
    std::vector<std::size_t> active;
    std::size_t next = 0;
    std::vector<int> mixed; // pictures asking for more text colours than one ink
    for (std::size_t c = 0; c + 1 < cuts.size(); ++c) {
        const long long from = cuts[c], to = cuts[c + 1];
        std::erase_if(active, [&](std::size_t i) { return m_events[i].end <= from; });
        while (next < byStart.size() && m_events[byStart[next]].start <= from)
            active.push_back(byStart[next++]);
        if (active.empty())
            continue;
        if (active.size() > 1) {
            for (std::size_t i : active)
                shared[i] = 1;
        }
        const Shown shown = shownTogether(active);
        if (shown.tooManyColours && (mixed.empty() || mixed.back() != shown.number))
            mixed.push_back(shown.number);
        addPieces(pictureStarts(from, to, shown.animated), to, shown, checkStart);
    }
    m_merged = int(std::count(shared.begin(), shared.end(), 1));
    return mixed;
}

std::vector<long long> AssPictureSource::cutTimes() const
{
    std::vector<long long> cuts;
    for (const Event& e : m_events) {
        cuts.push_back(e.start);
        cuts.push_back(e.end);
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

std::vector<std::size_t> AssPictureSource::eventsByStart() const
{
    std::vector<std::size_t> byStart(m_events.size());
    for (std::size_t i = 0; i < byStart.size(); ++i)
        byStart[i] = i;
    std::stable_sort(byStart.begin(), byStart.end(), [this](std::size_t a, std::size_t b) {
        return m_events[a].start < m_events[b].start;
    });
    return byStart;
}

AssPictureSource::Shown
AssPictureSource::shownTogether(const std::vector<std::size_t>& active) const
{
    Shown shown;
    long long latest = -1;
    std::map<ColorValue, std::size_t> weight, outlined;
    for (std::size_t i : active) {
        const Event& e = m_events[i];
        shown.animated = shown.animated || e.animated;
        shown.forced = shown.forced || e.forced;
        shown.blurred = shown.blurred || e.blurred;
        if (e.start > latest || (e.start == latest && e.number > shown.number)) {
            latest = e.start;
            shown.number = e.number;
        }
        for (const auto& [colour, letters] : e.colours)
            weight[DrawableTextColour(colour)] += letters;
        for (const auto& [colour, letters] : e.outlines)
            outlined[DrawableTextColour(colour)] += letters;
    }
    // The outline colour most outlined letters ask for; the first of equals.
    for (const auto& [colour, letters] : outlined) {
        if (!shown.outline || letters > outlined[*shown.outline])
            shown.outline = colour;
    }
    const auto most = [&weight](std::optional<ColorValue> except) {
        std::optional<ColorValue> best;
        for (const auto& [colour, letters] : weight) {
            if (colour != except && (!best || letters > weight[*best]))
                best = colour;
        }
        return best;
    };
    shown.text = *most(std::nullopt);
    shown.second = most(shown.text);
    shown.tooManyColours = weight.size() > 2;
    return shown;
}

std::vector<long long> AssPictureSource::pictureStarts(long long from, long long to, bool animated)
{
    // An animated stretch is drawn every step and cut where libass says the picture changed;
    // the first step always starts a picture.
    std::vector<long long> starts{from};
    if (!animated)
        return starts;
    const long long step = 1000 / m_settings.picturesPerSecond;
    int changed = 0;
    m_planRendering->render(from, &changed);
    for (long long t = from + step; t < to; t += step) {
        m_planRendering->render(t, &changed);
        if (changed != 0)
            starts.push_back(t);
    }
    return starts;
}

void AssPictureSource::addPieces(const std::vector<long long>& starts, long long to,
                                 const Shown& shown,
                                 const std::function<void(int startFrame, int number)>& checkStart)
{
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const long long end = k + 1 < starts.size() ? starts[k + 1] : to;
        const auto startFrame = FramesOfMillis(starts[k], m_settings.rate);
        const auto endFrame = FramesOfMillis(end, m_settings.rate);
        if (endFrame <= startFrame)
            continue; // shorter than a frame: never seen
        if (!StartFitsStream(startFrame, m_settings.rate))
            return; // the rest of the event lies past what a stream can hold
        if (startFrame > std::numeric_limits<int>::max() ||
            endFrame > std::numeric_limits<int>::max())
            throw Error(QStringLiteral("Event %1 starts too late to be shown.").arg(shown.number));
        Piece piece;
        piece.renderMs = starts[k];
        piece.times = {int(startFrame), int(endFrame), shown.number, shown.forced};
        piece.text = shown.text;
        piece.second = shown.second;
        piece.askedOutline = shown.outline;
        piece.blurred = shown.blurred;
        checkStart(piece.times.start, shown.number);
        m_pieces.push_back(piece);
    }
}

std::vector<int> AssPictureSource::planPalette()
{
    PaletteCount count(m_settings.inks.antialias, m_settings.inks.outline, m_settings.inks.text);
    for (const Piece& piece : m_pieces) {
        count.add(piece.text);
        if (piece.second)
            count.add(*piece.second);
        if (piece.askedOutline)
            count.add(*piece.askedOutline);
    }
    m_palette = count.plan();
    std::vector<int> replaced;
    const AssInks& window = m_settings.inks;
    for (Piece& piece : m_pieces) {
        const ColorValue shown = count.shownColour(piece.text, m_palette);
        bool nearest = shown != piece.text;
        piece.text = shown;
        if (piece.second) {
            const ColorValue second = count.shownColour(*piece.second, m_palette);
            nearest = nearest || second != *piece.second;
            piece.second = second;
            if (second == shown)
                piece.second.reset();
        }
        // The script's own outline colour, or the window's for letters without one.
        ColorValue outline = window.outline;
        if (piece.askedOutline) {
            outline = count.shownOutline(*piece.askedOutline, m_palette);
            nearest = nearest || outline != *piece.askedOutline;
        }
        if (nearest && (replaced.empty() || replaced.back() != piece.times.number))
            replaced.push_back(piece.times.number);
        piece.outline =
            ReadableOutline(outline, window.antialias, window.text, piece.text, piece.second);
    }
    return replaced;
}

void AssPictureSource::drawEachFontOnce()
{
    // Each style's first event and every event naming a font of its own is drawn once, so that
    // a font libass replaces is named before anything is written.
    const ASS_Track* track = m_planRendering->track();
    std::set<int> stylesSeen;
    for (const Event& e : m_events) {
        const ASS_Event& raw = track->events[e.number - 1];
        const bool namesFont = raw.Text && std::string(raw.Text).find("\\fn") != std::string::npos;
        if (stylesSeen.insert(raw.Style).second || namesFont)
            m_planRendering->render(e.start);
    }
}

int AssPictureSource::count() const
{
    return int(m_pieces.size());
}

PictureTimes AssPictureSource::times(int index) const
{
    return m_pieces[std::size_t(index)].times;
}

int AssPictureSource::merged() const
{
    return m_merged;
}

PalettePlan AssPictureSource::palette() const
{
    return m_palette;
}

int AssPictureSource::skipped() const
{
    return m_skipped;
}

QStringList AssPictureSource::notes() const
{
    return m_notes;
}

void AssPictureSource::useForm(const PictureForm& form)
{
    m_colour = form.colour;
    m_columnShift = form.colour ? 0 : form.columnShift;
    if (form.colour)
        m_settings.frame = form.frame;
}

void AssPictureSource::startWorkers(int workers)
{
    m_workers.resize(std::size_t(workers));
    for (Worker& worker : m_workers) {
        if (!worker.rendering)
            worker.rendering = std::make_unique<AssRendering>(*m_script, m_settings.frame);
    }
}

void AssPictureSource::drawInto(Worker& worker, int index)
{
    const Piece& piece = m_pieces[std::size_t(index)];
    const ASS_Image* images = worker.rendering->render(piece.renderMs);
    const AssInks inks{piece.text, piece.outline, piece.second.value_or(m_settings.inks.antialias),
                       piece.second.has_value(), piece.blurred};
    const AssBand band =
        AssImagesToLayers(images, m_settings.frame, inks, worker.rendering->track()->YCbCrMatrix,
                          worker.image.masks, worker.scratch, m_columnShift);
    worker.image.bandTop = band.top;
    worker.image.bandHeight = band.height;
    worker.opacity = band.opacity;
}

TimedPicture AssPictureSource::draw(int index, int worker)
{
    Worker& w = m_workers[std::size_t(worker)];
    if (m_colour) {
        const ASS_Image* images = w.rendering->render(m_pieces[std::size_t(index)].renderMs);
        DrawAssColourImage(images, m_settings.frame, w.rendering->track()->YCbCrMatrix, w.colour);
        TimedPicture picture{times(index)};
        picture.colour = &w.colour;
        return picture;
    }
    drawInto(w, index);
    return {times(index), &w.image.masks, w.image.bandTop, w.image.bandHeight, w.opacity};
}

const SubtitleImage& AssPictureSource::drawShown(int index)
{
    if (!m_shown.rendering)
        m_shown.rendering = std::make_unique<AssRendering>(*m_script, m_settings.frame);
    drawInto(m_shown, index);
    // The picture as the DVD shows it: each layer in its ink over the blue background, each
    // column where the writer shows it.
    QImage& pixels = m_shown.image.pixels;
    if (pixels.size() != m_settings.frame || pixels.format() != QImage::Format_RGB32)
        pixels = QImage(m_settings.frame, QImage::Format_RGB32);
    pixels.fill(qRgb(0, 0, 255));
    const LayerMasks& masks = m_shown.image.masks;
    QRgb inks[4];
    for (int k = 0; k < 4; ++k)
        inks[k] =
            qRgb(redOf(masks.colours[k]), greenOf(masks.colours[k]), blueOf(masks.colours[k]));
    for (int y = masks.firstDirty; y <= masks.lastDirty; ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = m_columnShift; x < masks.width; ++x) {
            const std::uint64_t bit = std::uint64_t(1) << (x % 64);
            const int layer = ((masks.lowRow(y)[x / 64] & bit) ? 1 : 0) |
                              ((masks.highRow(y)[x / 64] & bit) ? 2 : 0);
            if (layer != 0)
                row[x - m_columnShift] = inks[layer];
        }
    }
    return m_shown.image;
}

std::shared_ptr<PictureSource> PictureSourceOf(const TSubtitle& list, const QString& file,
                                               const RenderSettings& settings, FrameRate rate,
                                               int animationSteps, bool forced)
{
    if (list.Kind() != FileKind::Ass)
        return std::make_shared<TextPictureSource>(list, settings, forced);
    AssSourceSettings script;
    script.frame = QSize(frameWidth(settings.videoStandard), frameHeight(settings.videoStandard));
    script.rate = rate;
    script.picturesPerSecond = animationSteps;
    script.inks = {settings.textColor, settings.outlineColor, settings.antialiasColor};
    script.forced = forced;
    return std::make_shared<AssPictureSource>(std::make_shared<const AssScript>(ReadAssScript(
                                                  file, settings.charset, list.LanguageHint())),
                                              script);
}

AssPreview::AssPreview(const AssScript& script, QSize frame) : m_rendering(script, frame) {}

void AssPreview::draw(QImage& surface, long long ms)
{
    BlendAssImages(m_rendering.render(ms), surface, m_rendering.track()->YCbCrMatrix);
}

} // namespace lumelle
