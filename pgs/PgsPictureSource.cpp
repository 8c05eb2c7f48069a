#include "pgs/PgsPictureSource.h"

#include "platform/Error.h"

#include <algorithm>
#include <cmath>

namespace lumelle::pgs {

namespace {

constexpr long long kTicksPerSecond = 90000;
// A picture the stream never hides shows this long.
constexpr long long kUnendedTicks = 5 * kTicksPerSecond;

int frameOf(long long ticks, FrameRate rate)
{
    return int(DivideRoundHalfEven(ticks * rate.frames(), kTicksPerSecond * rate.seconds()));
}

int lumaOf(QRgb c)
{
    return 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c);
}

// The text and outline colours of a display from how much of it each palette entry covers:
// the brightest of the entries much used is the text, the most used of the others the outline.
SourceInks inksOf(const ReadDisplay& display)
{
    std::array<long long, 256> uses{};
    for (const ShownObject& o : display.objects)
        for (std::size_t i = 0; i < uses.size(); ++i)
            uses[i] += o.object->uses[i];
    const ReadPalette& palette = *display.palette;
    long long most = 0;
    for (std::size_t i = 0; i < 256; ++i)
        if (qAlpha(palette[i]) >= 128)
            most = std::max(most, uses[i]);
    SourceInks inks;
    int text = -1, outline = -1;
    for (std::size_t i = 0; i < 256; ++i) {
        if (qAlpha(palette[i]) < 128 || uses[i] == 0 || uses[i] * 8 < most)
            continue;
        if (text < 0 || lumaOf(palette[i]) > lumaOf(palette[std::size_t(text)]))
            text = int(i);
    }
    for (std::size_t i = 0; i < 256; ++i) {
        if (int(i) == text || qAlpha(palette[i]) < 128 || uses[i] == 0)
            continue;
        if (outline < 0 || uses[i] > uses[std::size_t(outline)])
            outline = int(i);
    }
    if (text >= 0)
        inks.text = qRgb(qRed(palette[std::size_t(text)]), qGreen(palette[std::size_t(text)]),
                         qBlue(palette[std::size_t(text)]));
    if (outline >= 0)
        inks.outline =
            qRgb(qRed(palette[std::size_t(outline)]), qGreen(palette[std::size_t(outline)]),
                 qBlue(palette[std::size_t(outline)]));
    return inks;
}

class PgsPictureList : public PictureList
{
public:
    explicit PgsPictureList(std::shared_ptr<const ReadStream> stream) : m_stream(std::move(stream))
    {}
    int count() const override { return int(m_stream->displays.size()); }
    long long start(int index) const override { return display(index).start; }
    long long end(int index) const override { return display(index).end; }
    bool forced(int index) const override { return display(index).forced(); }
    QSize frame(int index) const override { return display(index).frame; }
    SourceInks inks(int index) const override { return inksOf(display(index)); }
    void compose(int index, ColourImage& image) const override
    {
        ComposeDisplay(display(index), image);
    }

private:
    const ReadDisplay& display(int index) const { return m_stream->displays[std::size_t(index)]; }
    std::shared_ptr<const ReadStream> m_stream;
};

} // namespace

std::shared_ptr<const PictureList> PgsPictures(std::shared_ptr<const ReadStream> stream)
{
    return std::make_shared<PgsPictureList>(std::move(stream));
}

QRectF FittedFrame(QSize from, QSize to, double toShape, double fromShape)
{
    const double shape = fromShape > 0 ? fromShape : double(from.width()) / from.height();
    double width = to.width(), height = to.height();
    if (shape >= toShape)
        height = to.height() * toShape / shape;
    else
        width = to.width() * shape / toShape;
    return QRectF((to.width() - width) / 2, (to.height() - height) / 2, width, height);
}

PgsPictureSource::PgsPictureSource(std::shared_ptr<const ReadStream> stream,
                                   const PgsSourceSettings& settings)
    : PgsPictureSource(PgsPictures(std::move(stream)), settings)
{}

PgsPictureSource::PgsPictureSource(std::shared_ptr<const PictureList> pictures,
                                   const PgsSourceSettings& settings)
    : m_pictures(std::move(pictures)), m_settings(settings)
{}

void PgsPictureSource::useForm(const PictureForm& form)
{
    m_colour = form.colour;
    m_frame = form.colour ? form.frame : m_settings.dvdFrame;
}

void PgsPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    m_times.clear();
    m_sourceInks.clear();
    m_notes.clear();
    const LayerInks& inks = m_settings.inks;
    PaletteCount count(inks.antialias, inks.outline, inks.text);
    const PictureList& pictures = *m_pictures;
    for (int i = 0; i < pictures.count(); ++i) {
        const long long start = pictures.start(i), end = pictures.end(i);
        PictureTimes t;
        t.number = i + 1;
        t.start = frameOf(start, m_settings.rate);
        t.end = frameOf(end >= 0 ? end : start + kUnendedTicks, m_settings.rate);
        if (end < 0)
            m_notes << QStringLiteral("picture %1 is never hidden: it shows for 5 seconds")
                           .arg(t.number);
        t.forced = m_settings.forced || pictures.forced(i);
        checkStart(t.start, t.number);
        m_times.push_back(t);
        m_sourceInks.push_back(pictures.inks(i));
        const QRgb text = m_sourceInks.back().text;
        count.add(DrawableTextColour(makeColor(qRed(text), qGreen(text), qBlue(text))));
    }
    m_palette = count.plan();
    m_textInks.clear();
    for (const SourceInks& s : m_sourceInks)
        m_textInks.push_back(count.shownColour(
            DrawableTextColour(makeColor(qRed(s.text), qGreen(s.text), qBlue(s.text))), m_palette));
}

int PgsPictureSource::count() const
{
    return int(m_times.size());
}

PictureTimes PgsPictureSource::times(int index) const
{
    return m_times[std::size_t(index)];
}

void PgsPictureSource::startWorkers(int workers)
{
    m_workers.resize(std::size_t(workers));
}

double PgsPictureSource::shownShape() const
{
    // A DVD picture written at a DVD-sized frame stays anamorphic, at the shape it had.
    if (m_colour && m_settings.sourceShape > 0 && m_frame.width() == 720 &&
        (m_frame.height() == 576 || m_frame.height() == 480))
        return m_settings.sourceShape;
    return m_colour ? double(m_frame.width()) / m_frame.height()
                    : (m_settings.wide ? 16.0 / 9.0 : 4.0 / 3.0);
}

const ColourImage& PgsPictureSource::placed(int index, Worker& worker) const
{
    const ColourImage& fitted = resized(index, worker);
    const PicturePlacement& placement = m_settings.placement;
    if (placement.isNone() || fitted.box.isEmpty())
        return fitted;
    const QRect box = PlacedBox(fitted.box, m_frame, shownShape(), placement);
    if (&fitted != &worker.placed)
        worker.placed.argb = fitted.argb; // shared, not copied
    worker.placed.box = box;
    return worker.placed;
}

const ColourImage& PgsPictureSource::resized(int index, Worker& worker) const
{
    m_pictures->compose(index, worker.read);
    const QSize own = m_pictures->frame(index);
    const QSize from = own.isEmpty() ? m_frame : own;
    const QRectF fitted = FittedFrame(from, m_frame, shownShape(), m_settings.sourceShape);
    const double sx = fitted.width() / from.width(), sy = fitted.height() / from.height();
    if (from == m_frame && fitted.topLeft().isNull())
        return worker.read;
    const QRect box = worker.read.box;
    ColourImage& out = worker.placed;
    if (box.isEmpty()) {
        out.box = QRect();
        return out;
    }
    const int left = int(std::floor(fitted.x() + box.x() * sx));
    const int top = int(std::floor(fitted.y() + box.y() * sy));
    const int right = int(std::ceil(fitted.x() + (box.x() + box.width()) * sx));
    const int bottom = int(std::ceil(fitted.y() + (box.y() + box.height()) * sy));
    out.box = QRect(left, top, std::max(1, right - left), std::max(1, bottom - top));
    out.argb =
        worker.read.argb.scaled(out.box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (out.argb.format() != QImage::Format_ARGB32_Premultiplied)
        out.argb.convertTo(QImage::Format_ARGB32_Premultiplied);
    return out;
}

void PgsPictureSource::drawInks(int index, Worker& worker) const
{
    const ColourImage& picture = placed(index, worker);
    LayerInks inks = m_settings.inks;
    inks.text = m_textInks[std::size_t(index)];
    const InkBand band =
        ReduceToInks(picture, m_frame, m_sourceInks[std::size_t(index)], inks, worker.image.masks);
    worker.image.bandTop = band.top;
    worker.image.bandHeight = band.height;
    worker.opacity = band.opacity;
}

TimedPicture PgsPictureSource::draw(int index, int worker)
{
    Worker& w = m_workers[std::size_t(worker)];
    TimedPicture picture{times(index)};
    if (m_colour) {
        const ColourImage& shown = placed(index, w);
        // The picture clipped to the frame: a resized one may reach a pixel past its edge.
        if (!QRect(QPoint(0, 0), m_frame).contains(shown.box) && !shown.box.isEmpty()) {
            const QRect inside = shown.box & QRect(QPoint(0, 0), m_frame);
            w.placed.argb = shown.argb.copy(inside.translated(-shown.box.topLeft()));
            w.placed.box = inside;
            picture.colour = &w.placed;
        } else {
            picture.colour = &shown;
        }
        return picture;
    }
    drawInks(index, w);
    return {times(index), &w.image.masks, w.image.bandTop, w.image.bandHeight, w.opacity};
}

const SubtitleImage& PgsPictureSource::drawShown(int index)
{
    drawInks(index, m_shown);
    PaintLayers(m_shown.image, m_frame);
    return m_shown.image;
}

} // namespace lumelle::pgs
