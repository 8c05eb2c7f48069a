#include "pgs/DvdPictureSource.h"

#include "pgs/PgsSegments.h"

#include <algorithm>

namespace lumelle::pgs {

namespace {

constexpr std::uint8_t kOutlineLayer = 1;
constexpr std::uint8_t kRingLayer = 2;
constexpr std::uint8_t kTextLayer = 3;
// The layer each pixel value is drawn in: 1 the text, 2 the outline, 3 the antialias ring,
// as DVD subtitles use them; value 0 is the background.
constexpr std::uint8_t kLayerOfValue[4] = {0, kTextLayer, kOutlineLayer, kRingLayer};

QSize frameOf(const DvdRead& read, const DvdStream& stream, QSize dvdFrame)
{
    if (!read.frame.isEmpty())
        return read.frame;
    int bottom = 0;
    for (const DvdPicture& p : stream.pictures)
        bottom = std::max(bottom, p.area.bottom() + 1);
    return bottom > 480 ? QSize(720, 576) : dvdFrame;
}

ColorValue colourValueOf(QRgb rgb)
{
    return makeColor(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// A picture as one object of a presentation graphics display: its pixel values are the
// palette's entries 0 to 3, coloured and made see-through as the file shows them.
ReadDisplay displayOf(const DvdRead& read, const DvdPicture& p, QSize frame)
{
    ReadDisplay d;
    d.start = p.start;
    d.end = p.end;
    d.offset = p.offset;
    d.frame = frame;
    auto palette = std::make_shared<ReadPalette>();
    palette->fill(qRgba(0, 0, 0, 0));
    for (int v = 0; v < 4; ++v)
        (*palette)[std::size_t(v)] = read.shown(p, v);
    d.palette = std::move(palette);
    if (p.area.isEmpty())
        return d;
    auto object = std::make_shared<ReadObject>();
    object->width = p.area.width();
    object->height = p.area.height();
    object->coded = SharedBytes(RunLengthRows(p.pixels, object->width, object->height));
    object->whole = true;
    for (std::uint8_t v : p.pixels)
        ++object->uses[v];
    d.objects.push_back(
        {std::move(object), QRect(QPoint(0, 0), p.area.size()), p.area.topLeft(), p.forced});
    return d;
}

std::shared_ptr<ReadStream> streamOf(const DvdRead& read, const DvdStream& stream, QSize frame)
{
    auto out = std::make_shared<ReadStream>();
    out->frame = frame;
    for (const DvdPicture& p : stream.pictures) {
        out->displays.push_back(displayOf(read, p, frame));
        // A forced picture that shows nothing keeps its mark.
        if (p.forced && p.area.isEmpty())
            out->displays.back().objects.clear();
    }
    return out;
}

} // namespace

DvdPictureSource::DvdPictureSource(std::shared_ptr<const DvdRead> read, int stream,
                                   const PgsSourceSettings& settings)
    : m_read(std::move(read)), m_stream(m_read->streams.at(std::size_t(stream))),
      m_settings(settings), m_frame(frameOf(*m_read, m_stream, settings.dvdFrame)),
      m_shown(streamOf(*m_read, m_stream, m_frame), settings)
{}

void DvdPictureSource::useForm(const PictureForm& form)
{
    m_shown.useForm(form);
    m_keep = !form.colour && m_frame == m_settings.dvdFrame;
}

// Keeping the inks, the palette holds the colours the pictures use, most used first; a colour
// past the entries it has shows in the nearest one it holds.
void DvdPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    m_shown.plan(checkStart);
    m_inkOf.clear();
    if (!m_keep)
        return;
    const LayerInks& inks = m_settings.inks;
    std::map<ColorValue, long long> uses;
    for (const DvdPicture& p : m_stream.pictures)
        for (int v = 1; v < 4; ++v)
            if (qAlpha(m_read->shown(p, v)) > 0)
                ++uses[colourValueOf(m_read->shown(p, v))];
    std::vector<std::pair<long long, ColorValue>> byUse;
    for (const auto& [colour, n] : uses)
        if (colour != inks.text && colour != inks.outline && colour != inks.antialias)
            byUse.push_back({-n, colour});
    std::sort(byUse.begin(), byUse.end());
    m_palette.extra.clear();
    std::vector<ColorValue> held{inks.antialias, inks.outline, inks.text};
    for (const auto& [n, colour] : byUse) {
        if (m_palette.extra.size() < kPaletteExtraEntries) {
            m_palette.extra.push_back(colour);
            held.push_back(colour);
        }
    }
    for (const auto& [colour, n] : uses)
        m_inkOf[colour] = NearestColour(colour, held);
}

PalettePlan DvdPictureSource::palette() const
{
    return m_keep ? m_palette : m_shown.palette();
}

void DvdPictureSource::startWorkers(int workers)
{
    m_shown.startWorkers(workers);
    m_workers.resize(std::size_t(workers));
}

// Each pixel value's pixels go into its layer, painted in the colour the file shows it in;
// a value the file shows transparent stays background.
void DvdPictureSource::drawLayers(int index, Worker& worker) const
{
    const DvdPicture& p = m_stream.pictures[std::size_t(index)];
    LayerMasks& masks = worker.image.masks;
    ReadyMasks(masks, m_frame, m_settings.inks);
    const int words = masks.words;
    std::array<bool, 4> shows{};
    for (int v = 1; v < 4; ++v) {
        const QRgb c = m_read->shown(p, v);
        shows[std::size_t(v)] = qAlpha(c) > 0;
        const std::uint8_t layer = kLayerOfValue[v];
        if (shows[std::size_t(v)])
            masks.colours[layer] = m_inkOf.at(colourValueOf(c));
        worker.opacity[std::size_t(layer - 1)] =
            std::uint8_t(shows[std::size_t(v)] ? (qAlpha(c) + 8) / 17 : 15);
    }
    const QRect drawn = p.area & QRect(QPoint(0, 0), m_frame);
    // The encoder shows each layer column one column to its left (its runs begin at column
    // 1), so a pixel read at column x goes to layer column x + 1 and shows where it was read.
    const int lastColumn = m_frame.width() - 1;
    worker.image.bandTop = 0;
    worker.image.bandHeight = 0;
    if (drawn.isEmpty())
        return;
    for (int y = drawn.top(); y <= drawn.bottom(); ++y) {
        const std::uint8_t* row =
            p.pixels.data() + std::size_t(y - p.area.top()) * std::size_t(p.area.width());
        std::uint64_t* low = masks.low.data() + std::size_t(y) * std::size_t(words);
        std::uint64_t* high = masks.high.data() + std::size_t(y) * std::size_t(words);
        for (int x = drawn.left(); x <= drawn.right() && x < lastColumn; ++x) {
            const std::uint8_t v = row[x - p.area.left()];
            if (v == 0 || !shows[v])
                continue;
            const std::uint8_t layer = kLayerOfValue[v];
            const int column = x + 1;
            const std::uint64_t bit = std::uint64_t(1) << (column % 64);
            if (layer & 1)
                low[column / 64] |= bit;
            if (layer & 2)
                high[column / 64] |= bit;
        }
    }
    // The band starts on an even row so that both fields of the picture begin together.
    worker.image.bandTop = drawn.top() & ~1;
    worker.image.bandHeight = drawn.bottom() + 1 - worker.image.bandTop;
    masks.firstDirty = worker.image.bandTop;
    masks.lastDirty = drawn.bottom();
}

TimedPicture DvdPictureSource::draw(int index, int worker)
{
    if (!m_keep)
        return m_shown.draw(index, worker);
    Worker& w = m_workers[std::size_t(worker)];
    drawLayers(index, w);
    return {times(index), &w.image.masks, w.image.bandTop, w.image.bandHeight, w.opacity};
}

const SubtitleImage& DvdPictureSource::drawShown(int index)
{
    if (!m_keep)
        return m_shown.drawShown(index);
    drawLayers(index, m_preview);
    PaintLayers(m_preview.image, m_frame);
    return m_preview.image;
}

} // namespace lumelle::pgs
