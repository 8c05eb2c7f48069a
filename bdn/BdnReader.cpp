#include "bdn/BdnReader.h"

#include "platform/Error.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace lumelle::bdn {

namespace {

constexpr long long kTicksPerSecond = 90000;

int lumaOf(QRgb c)
{
    return 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c);
}

// The text and outline colours of a picture from how much of it each colour covers: the
// brightest of the colours much used is the text, the most used of the others the outline.
void countColours(const QImage& image, QHash<QRgb, long long>& uses)
{
    // Counted by runs of one colour: a picture's text and outline are long runs, so the table
    // is looked up far less often than once a pixel.
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            int end = x + 1;
            while (end < width && row[end] == row[x])
                ++end;
            if (qAlpha(row[x]) >= 128)
                uses[row[x] | 0xFF000000u] += end - x;
            x = end;
        }
    }
}

pgs::SourceInks inksOf(const QHash<QRgb, long long>& uses)
{
    long long most = 0;
    for (auto it = uses.begin(); it != uses.end(); ++it)
        most = std::max(most, it.value());
    pgs::SourceInks inks;
    QRgb text = 0, outline = 0;
    bool haveText = false, haveOutline = false;
    for (auto it = uses.begin(); it != uses.end(); ++it)
        if (it.value() * 8 >= most && (!haveText || lumaOf(it.key()) > lumaOf(text))) {
            text = it.key();
            haveText = true;
        }
    long long outlineUses = 0;
    for (auto it = uses.begin(); it != uses.end(); ++it)
        if (it.key() != text && it.value() > outlineUses) {
            outline = it.key();
            outlineUses = it.value();
            haveOutline = true;
        }
    if (haveText)
        inks.text = qRgb(qRed(text), qGreen(text), qBlue(text));
    if (haveOutline)
        inks.outline = qRgb(qRed(outline), qGreen(outline), qBlue(outline));
    return inks;
}

QImage decoded(const QByteArray& png)
{
    QImage image;
    image.loadFromData(png, "PNG");
    if (!image.isNull() && image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    return image;
}

QSize frameOfFormat(const QString& videoFormat)
{
    static const QRegularExpression rows(QStringLiteral("^(1080|720|576|480)[ip]$"));
    const auto m = rows.match(videoFormat);
    if (!m.hasMatch())
        return QSize();
    const int height = m.captured(1).toInt();
    return height == 1080  ? QSize(1920, 1080)
           : height == 720 ? QSize(1280, 720)
                           : QSize(720, height);
}

// How the index counts time, from its Format element.
struct Timing
{
    long long numerator = 0;
    long long denominator = 1;
    bool dropFrame = false;

    long long ticks(long long frame) const
    {
        return (frame * kTicksPerSecond * denominator + numerator / 2) / numerator;
    }
};

struct EventRead
{
    BdnEvent event;
    QString problem;
};

// One Graphic element: its place and its picture, read from beside the index.
QString readGraphic(QXmlStreamReader& xml, const QDir& folder, BdnEvent& event,
                    QHash<QRgb, long long>& uses)
{
    const auto a = xml.attributes();
    const QRect box(a.value(QLatin1String("X")).toInt(), a.value(QLatin1String("Y")).toInt(),
                    a.value(QLatin1String("Width")).toInt(),
                    a.value(QLatin1String("Height")).toInt());
    const QString name = xml.readElementText().trimmed();
    QFile file(folder.filePath(name));
    if (name.isEmpty() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("the picture \"%1\" cannot be read").arg(name);
    BdnGraphic graphic{box, file.readAll()};
    const QImage image = decoded(graphic.png);
    if (image.isNull())
        return QStringLiteral("the picture \"%1\" is no PNG picture that can be read").arg(name);
    graphic.box.setSize(image.size()); // the picture's own size wins over the index's
    countColours(image, uses);
    event.graphics.push_back(std::move(graphic));
    return QString();
}

EventRead readEvent(QXmlStreamReader& xml, const Timing& timing, const QDir& folder)
{
    EventRead read;
    const auto a = xml.attributes();
    const QString in = a.value(QLatin1String("InTC")).toString();
    const QString out = a.value(QLatin1String("OutTC")).toString();
    read.event.forced =
        a.value(QLatin1String("Forced")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    const long long first =
        BdnTimecodeFrame(in, timing.numerator, timing.denominator, timing.dropFrame);
    const long long last =
        BdnTimecodeFrame(out, timing.numerator, timing.denominator, timing.dropFrame);
    if (first < 0 || last < 0)
        read.problem =
            QStringLiteral("the timecode \"%1\" cannot be read").arg(first < 0 ? in : out);
    read.event.start = timing.ticks(std::max(first, 0LL));
    read.event.end = timing.ticks(std::max(last, 0LL));
    QHash<QRgb, long long> uses;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Graphic")) {
            xml.skipCurrentElement();
            continue;
        }
        const QString problem = readGraphic(xml, folder, read.event, uses);
        if (read.problem.isEmpty())
            read.problem = problem;
    }
    read.event.inks = inksOf(uses);
    return read;
}

Timing readFormat(QXmlStreamReader& xml, BdnIndex& index)
{
    const auto a = xml.attributes();
    Timing timing;
    const QString rate = a.value(QLatin1String("FrameRate")).toString();
    if (!BdnRate(rate, timing.numerator, timing.denominator))
        throw Error(QStringLiteral("the BDN frame rate \"%1\" is none of 23.976, 24, 25, 29.97, "
                                   "50, 59.94 and 60")
                        .arg(rate));
    timing.dropFrame =
        a.value(QLatin1String("DropFrame")).compare(QLatin1String("true"), Qt::CaseInsensitive) ==
        0;
    const QString format = a.value(QLatin1String("VideoFormat")).toString();
    index.frame = frameOfFormat(format);
    if (index.frame.isEmpty())
        index.problems << QStringLiteral("the video format \"%1\" is unknown: the pictures are "
                                         "taken as made for the output's frame")
                              .arg(format);
    return timing;
}

} // namespace

bool BdnRate(const QString& name, long long& numerator, long long& denominator)
{
    static const struct
    {
        const char* name;
        long long numerator, denominator;
    } rates[] = {{"23.976", 24000, 1001}, {"24", 24, 1}, {"25", 25, 1},
                 {"29.97", 30000, 1001},  {"30", 30, 1}, {"50", 50, 1},
                 {"59.94", 60000, 1001},  {"60", 60, 1}};
    for (const auto& r : rates)
        if (name.trimmed() == QLatin1String(r.name)) {
            numerator = r.numerator;
            denominator = r.denominator;
            return true;
        }
    return false;
}

long long BdnTimecodeFrame(const QString& text, long long numerator, long long denominator,
                           bool dropFrame)
{
    static const QRegularExpression form(
        QStringLiteral("^(\\d{2}):(\\d{2}):(\\d{2})[:;](\\d{2})$"));
    const auto m = form.match(text.trimmed());
    const long long base = (numerator + denominator / 2) / denominator; // 24 for 23.976
    if (!m.hasMatch() || base <= 0)
        return -1;
    const long long h = m.captured(1).toLongLong(), min = m.captured(2).toLongLong();
    const long long s = m.captured(3).toLongLong(), f = m.captured(4).toLongLong();
    if (min > 59 || s > 59 || f >= base)
        return -1;
    const bool drops = dropFrame && denominator == 1001 && base % 30 == 0;
    const long long dropped = drops ? base / 15 : 0; // 2 at 29.97, 4 at 59.94
    if (drops && s == 0 && f < dropped && min % 10 != 0)
        return -1; // a frame number drop-frame timecode skips
    const long long minutes = h * 60 + min;
    const long long frame = (minutes * 60 + s) * base + f;
    return frame - dropped * (minutes - minutes / 10);
}

bool LooksLikeBdn(const QByteArray& head)
{
    QXmlStreamReader xml(head);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name() == QLatin1String("BDN");
    }
    return false;
}

bool IsBdnFile(const QString& path)
{
    // Only a regular file is looked into: opening a pipe or a device could wait forever.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LooksLikeBdn(file.read(4096));
}

BdnIndex ReadBdnFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(file.errorString());
    QXmlStreamReader xml(&file);
    const QDir folder = QFileInfo(path).dir();
    BdnIndex index;
    Timing timing;
    int number = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("Format")) {
            timing = readFormat(xml, index);
        } else if (xml.name() == QLatin1String("Event")) {
            ++number;
            if (timing.numerator == 0)
                throw Error(QStringLiteral("the BDN index names no frame rate before its events"));
            EventRead read = readEvent(xml, timing, folder);
            if (!read.problem.isEmpty())
                index.problems << QStringLiteral("event %1 (line %2): %3, left out")
                                      .arg(number)
                                      .arg(xml.lineNumber())
                                      .arg(read.problem);
            else
                index.events.push_back(std::move(read.event));
        }
    }
    if (xml.hasError())
        index.problems << QStringLiteral("line %1: %2; the index is read up to there")
                              .arg(xml.lineNumber())
                              .arg(xml.errorString());
    std::stable_sort(index.events.begin(), index.events.end(),
                     [](const BdnEvent& a, const BdnEvent& b) { return a.start < b.start; });
    return index;
}

namespace {

class BdnPictureList : public pgs::PictureList
{
public:
    explicit BdnPictureList(std::shared_ptr<const BdnIndex> index) : m_index(std::move(index)) {}
    int count() const override { return int(m_index->events.size()); }
    long long start(int i) const override { return event(i).start; }
    long long end(int i) const override { return event(i).end; }
    bool forced(int i) const override { return event(i).forced; }
    QSize frame(int) const override { return m_index->frame; }
    pgs::SourceInks inks(int i) const override { return event(i).inks; }
    void compose(int i, ColourImage& image) const override;

private:
    const BdnEvent& event(int i) const { return m_index->events[std::size_t(i)]; }
    std::shared_ptr<const BdnIndex> m_index;
};

void BdnPictureList::compose(int i, ColourImage& image) const
{
    QRect box;
    for (const BdnGraphic& g : event(i).graphics)
        box |= g.box;
    image.box = box;
    if (box.isEmpty())
        return;
    image.argb = QImage(box.size(), QImage::Format_ARGB32_Premultiplied);
    image.argb.fill(Qt::transparent);
    QPainter painter(&image.argb);
    for (const BdnGraphic& g : event(i).graphics)
        painter.drawImage(g.box.topLeft() - box.topLeft(), decoded(g.png));
}

} // namespace

std::shared_ptr<const pgs::PictureList> BdnPictures(std::shared_ptr<const BdnIndex> index)
{
    return std::make_shared<BdnPictureList>(std::move(index));
}

} // namespace lumelle::bdn
