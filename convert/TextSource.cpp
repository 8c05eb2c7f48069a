#include "convert/TextSource.h"

#include "platform/Error.h"
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
    int anchor = 0;
    const std::vector<StyledText> lines = StackedLines(entries, settings, anchor);
    return RenderSubtitleBlock(image, lines, anchor, settings);
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

void TextPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    // Every subtitle's frame numbers are read once.
    std::vector<ShowTimes> frames;
    frames.reserve(std::size_t(m_list.Count()));
    for (int i = 1; i <= m_list.Count(); ++i) {
        const SubtitleLine entry = m_list.line(i);
        const int end = StrToInt(entry.EndFrame);
        const int start = StrToInt(entry.StartFrame);
        checkStart(start, i);
        frames.push_back({start, end});
    }
    m_plan = PlanShowing(frames);
    for (const ShowSegment& segment : m_plan.segments) {
        int anchor = 0;
        if (!BlockFitsFrame(StackedLines(entriesOf(segment), m_settings, anchor), m_settings))
            throw Error(tooTallMessage(numberOf(segment)));
    }
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
    m_images.assign(std::size_t(workers), SubtitleImage());
    for (SubtitleImage& image : m_images)
        image.paintPixels = false; // a writer reads the layers only
}

TimedPicture TextPictureSource::draw(int index, int worker)
{
    SubtitleImage& image = m_images[std::size_t(worker)];
    const ShowSegment& segment = m_plan.segments[std::size_t(index)];
    if (!drawEntries(image, entriesOf(segment), m_settings))
        throw Error(tooTallMessage(numberOf(segment)));
    return {times(index), &image.masks, image.bandTop, image.bandHeight};
}

const SubtitleImage& TextPictureSource::drawShown(int index)
{
    drawEntries(m_shown, entriesOf(m_plan.segments[std::size_t(index)]), m_settings);
    return m_shown;
}

} // namespace lumelle
