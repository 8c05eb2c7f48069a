#include "convert/TextSource.h"

#include "platform/Error.h"
#include "platform/FontCoverage.h"
#include "render/ColourRenderer.h"
#include "render/LayerRenderer.h"
#include "render/TextBlock.h"

namespace lumelle {

namespace {

// The subtitle a picture is named by in messages and the stream's numbering: the last one
// stacked.
int numberOf(const ShowSegment& segment)
{
    return segment.entries.back() + 1;
}

QString tooTallMessage(int number)
{
    return QStringLiteral("Subtitle %1 is taller than the frame. Please use a smaller font size "
                          "or fewer lines.")
        .arg(number);
}

// Lays out the subtitles of one picture and draws them into `image`; false when the block is
// taller than the frame.
bool drawEntries(SubtitleImage& image, const std::vector<SubtitleLine>& entries,
                 const RenderSettings& settings)
{
    return RenderSubtitleBlocks(image, PlacedBlocks(entries, settings), settings);
}

// "Subtitles 3, 7 and 12" for the notes, the first few named and the rest counted.
QString subtitleList(const std::vector<int>& numbers)
{
    constexpr std::size_t kNamed = 20;
    QStringList named;
    for (std::size_t i = 0; i < numbers.size() && i < kNamed; ++i)
        named << QString::number(numbers[i]);
    QString text =
        (numbers.size() == 1 ? QStringLiteral("Subtitle ") : QStringLiteral("Subtitles ")) +
        named.join(QStringLiteral(", "));
    if (numbers.size() > kNamed)
        text += QStringLiteral(" and %1 more").arg(numbers.size() - kNamed);
    return text;
}

// A note on the subtitles `numbers`: `text` with their list and the verbs agreeing with
// their count ("Subtitle 3 asks ... and is", "Subtitles 3 and 7 ask ... and are").
QString askedNote(const QString& text, const std::vector<int>& numbers)
{
    const bool one = numbers.size() == 1;
    return text.arg(subtitleList(numbers), one ? QStringLiteral("asks") : QStringLiteral("ask"),
                    one ? QStringLiteral("is") : QStringLiteral("are"));
}

// Every subtitle's frame numbers, read once, each start shown to `checkStart`; the subtitles
// holding characters no font draws go to `undrawable`.
std::vector<ShowTimes> readFrames(const TSubtitle& list,
                                  const std::function<void(int startFrame, int number)>& checkStart,
                                  std::vector<platform::UndrawableSubtitle>& undrawable)
{
    std::vector<ShowTimes> frames;
    frames.reserve(std::size_t(list.Count()));
    for (int i = 1; i <= list.Count(); ++i) {
        const SubtitleLine entry = list.line(i);
        QString text;
        for (const std::string& line : entry.TextLines())
            text += QString::fromStdString(line);
        if (const QString missing = platform::UndrawableCharacters(text); !missing.isEmpty())
            undrawable.emplace_back(i, missing);
        const int end = StrToInt(entry.EndFrame);
        const int start = StrToInt(entry.StartFrame);
        checkStart(start, i);
        frames.push_back({start, end});
    }
    return frames;
}

} // namespace

TextPictureSource::TextPictureSource(const TSubtitle& list, const RenderSettings& settings,
                                     bool forced)
    : m_list(list), m_settings(settings), m_forced(forced)
{}

// A picture's subtitles are read from the list as it is drawn, and their lines laid out then,
// so that a whole film is never held twice, nor its text laid out at once.
std::vector<SubtitleLine> TextPictureSource::entriesOf(const ShowSegment& segment) const
{
    std::vector<SubtitleLine> entries;
    entries.reserve(segment.entries.size());
    for (int i : segment.entries)
        entries.push_back(m_list.line(i + 1));
    return entries;
}

void TextPictureSource::useForm(const PictureForm& form)
{
    m_colour = form.colour;
    m_settings.frame = form.colour ? form.frame : QSize();
}

void TextPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    std::vector<platform::UndrawableSubtitle> undrawable;
    m_plan = PlanShowing(readFrames(m_list, checkStart, undrawable));
    m_draws.clear();
    m_notes.clear();
    if (!undrawable.empty())
        m_notes << platform::UndrawableMessage(undrawable, QString());
    std::vector<int> mixed; // subtitles that ask for more text colours than a picture shows
    std::vector<PictureInks> asked = askedInks(mixed);
    if (!m_colour) {
        planPalette(std::move(asked), mixed);
        return;
    }
    // Every colour is drawn as it is asked for: the form has no 16-entry palette.
    m_palette = {};
    for (const PictureInks& inks : asked)
        m_draws.push_back({inks, m_settings.outlineColor});
    if (!mixed.empty())
        m_notes << askedNote(QStringLiteral("%1 %2 for more than one text colour in one picture "
                                            "and %3 drawn in one of them."),
                             mixed);
}

std::vector<PictureInks> TextPictureSource::askedInks(std::vector<int>& mixed) const
{
    std::vector<PictureInks> asked(m_plan.segments.size());
    for (std::size_t k = 0; k < m_plan.segments.size(); ++k) {
        const ShowSegment& segment = m_plan.segments[k];
        const std::vector<SubtitleLine> entries = entriesOf(segment);
        if (!BlocksFitFrame(PlacedBlocks(entries, m_settings), m_settings))
            throw Error(tooTallMessage(numberOf(segment)));
        bool tooMany = false;
        if (m_colour) {
            asked[k].text = PictureTextColour(entries, m_settings, tooMany);
        } else {
            asked[k] = PictureTextInks(entries, m_settings);
            asked[k].text = DrawableTextColour(asked[k].text);
            if (asked[k].second)
                asked[k].second->colour = DrawableTextColour(asked[k].second->colour);
            tooMany = asked[k].colours > 2;
        }
        if (tooMany && (mixed.empty() || mixed.back() != numberOf(segment)))
            mixed.push_back(numberOf(segment));
    }
    return asked;
}

void TextPictureSource::planPalette(std::vector<PictureInks> asked, const std::vector<int>& mixed)
{
    const RenderSettings& s = m_settings;
    PaletteCount count(s.antialiasColor, s.outlineColor, s.textColor);
    for (const PictureInks& inks : asked) {
        count.add(inks.text);
        if (inks.second)
            count.add(inks.second->colour);
    }
    m_palette = count.plan();
    std::vector<int> replaced; // subtitles whose colour found no palette entry
    bool ownInks = !m_palette.extra.empty();
    std::vector<PictureDraw> draws(asked.size());
    for (std::size_t k = 0; k < asked.size(); ++k) {
        PictureInks& inks = asked[k];
        const ColorValue text = count.shownColour(inks.text, m_palette);
        bool nearest = text != inks.text;
        inks.text = text;
        if (inks.second) {
            const ColorValue second = count.shownColour(inks.second->colour, m_palette);
            nearest = nearest || second != inks.second->colour;
            inks.second->colour = second;
            if (second == text)
                inks.second.reset();
        }
        if (nearest)
            replaced.push_back(numberOf(m_plan.segments[k]));
        const std::optional<ColorValue> second =
            inks.second ? std::optional(inks.second->colour) : std::nullopt;
        draws[k] = {inks, ReadableOutline(s.outlineColor, s.antialiasColor, s.textColor, inks.text,
                                          second)};
        ownInks = ownInks || inks.second || draws[k].outline != s.outlineColor ||
                  inks.text != s.textColor;
    }
    if (ownInks)
        m_draws = std::move(draws);
    if (!mixed.empty())
        m_notes << askedNote(QStringLiteral("%1 %2 for more text colours than a DVD picture can "
                                            "show (three inks: outline and two text colours) "
                                            "and %3 drawn in the nearest of them."),
                             mixed);
    if (!replaced.empty())
        m_notes << askedNote(QStringLiteral("%1 %2 for colours beyond the 16 of the palette and "
                                            "%3 drawn in the nearest colour it holds."),
                             replaced);
}

RenderSettings TextPictureSource::settingsOf(int index) const
{
    if (m_draws.empty())
        return m_settings;
    const PictureDraw& draw = m_draws[std::size_t(index)];
    RenderSettings settings = WithPictureInks(m_settings, draw.inks);
    settings.outlineColor = draw.outline;
    return settings;
}

PalettePlan TextPictureSource::palette() const
{
    return m_palette;
}

QStringList TextPictureSource::notes() const
{
    return m_notes;
}

int TextPictureSource::count() const
{
    return int(m_plan.segments.size());
}

PictureTimes TextPictureSource::times(int index) const
{
    const ShowSegment& segment = m_plan.segments[std::size_t(index)];
    return {segment.start, segment.end, numberOf(segment), m_forced};
}

int TextPictureSource::merged() const
{
    return m_plan.merged;
}

void TextPictureSource::startWorkers(int workers)
{
    m_colourImages.assign(std::size_t(m_colour ? workers : 0), ColourImage());
    m_images.assign(std::size_t(m_colour ? 0 : workers), SubtitleImage());
    for (SubtitleImage& image : m_images)
        image.paintPixels = false; // a writer reads the layers only
}

TimedPicture TextPictureSource::draw(int index, int worker)
{
    const ShowSegment& segment = m_plan.segments[std::size_t(index)];
    if (m_colour) {
        ColourImage& image = m_colourImages[std::size_t(worker)];
        const RenderSettings settings = settingsOf(index);
        if (!RenderColourBlocks(image, PlacedBlocks(entriesOf(segment), settings), settings))
            throw Error(tooTallMessage(numberOf(segment)));
        TimedPicture picture{times(index)};
        picture.colour = &image;
        return picture;
    }
    SubtitleImage& image = m_images[std::size_t(worker)];
    if (!drawEntries(image, entriesOf(segment), settingsOf(index)))
        throw Error(tooTallMessage(numberOf(segment)));
    return {times(index), &image.masks, image.bandTop, image.bandHeight};
}

const SubtitleImage& TextPictureSource::drawShown(int index)
{
    drawEntries(m_shown, entriesOf(m_plan.segments[std::size_t(index)]), settingsOf(index));
    return m_shown;
}

} // namespace lumelle
