#include "pgs/BdnXmlWriter.h"

#include "output/DeviceWriting.h"
#include "output/StagedFolder.h"
#include "pgs/ColourIndexing.h"
#include "platform/Error.h"
#include "platform/LineText.h"
#include "platform/SystemNames.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <cstring>

namespace lumelle {

namespace {

const OutputKind kPngKind{QStringLiteral(".png"), QByteArrayLiteral("\x89PNG"),
                          QStringLiteral("PNG picture")};

// BDN's names of the video format and rate ("1080p", "23.976"); the writer refuses any other
// format before it writes.
const BluRayVideoFormat& formatOf(const BluRayOptions& o)
{
    const BluRayVideoFormat* format = FindBluRayVideoFormat(o.frame, o.frameRate);
    if (!format)
        throw Error(BluRayFormatProblem(o.frame, o.frameRate));
    return *format;
}

// `text` as XML attribute or element text. XML has no way to carry most control characters,
// and a line break would not survive as written, so a text with one is refused.
// A name as the index gives it and its pictures are written under: each byte of a name that
// is not UTF-8 (held as a private-use character) and each control character becomes "_", so
// that the index and the files agree and any authoring tool can open them.
QString portableName(QString name)
{
    for (QChar& c : name)
        if ((c.unicode() >= 0xF780 && c.unicode() <= 0xF7FF) ||
            c.category() == QChar::Other_Control)
            c = u'_';
    return name;
}

QString escaped(const QString& text)
{
    if (HoldsControlCharacter(text))
        throw Error(QStringLiteral("\"%1\" holds a control character, which the BDN index "
                                   "cannot hold.")
                        .arg(ReadableText(text)));
    return text.toHtmlEscaped();
}

} // namespace

BdnXmlWriter::BdnXmlWriter(const BluRayOptions& options) : m_options(options) {}

const OutputSet& BdnXmlWriter::xmlFile()
{
    static const OutputSet set{
        {{QStringLiteral(".xml"), QByteArrayLiteral("<?xml"), QStringLiteral("BDN XML file")}},
        QStringLiteral("index"),
        QStringLiteral("_bdn"),
        QStringLiteral("_bdn")};
    return set;
}

QString BdnXmlWriter::PicturePath(const QString& xmlPath, int index, int count, int part)
{
    const QFileInfo info(xmlPath);
    const int digits = std::max(4, int(QString::number(count).size()));
    const QString second = part > 0 ? QStringLiteral("_%1").arg(part + 1) : QString();
    return info.dir().filePath(QStringLiteral("%1_%2%3.png")
                                   .arg(portableName(info.completeBaseName()))
                                   .arg(index + 1, digits, 10, QLatin1Char('0'))
                                   .arg(second));
}

const OutputSet& BdnXmlWriter::outputs() const
{
    return xmlFile();
}

PictureForm BdnXmlWriter::form() const
{
    return {true, m_options.frame};
}

void BdnXmlWriter::checkStart(int startFrame, int number) const
{
    if (startFrame < 0)
        throw Error(QStringLiteral("Subtitle %1 starts before 00:00:00:000; the BDN index cannot "
                                   "hold it.")
                        .arg(number));
}

void BdnXmlWriter::planStreams(const std::vector<int>& picturesPerStream)
{
    if (picturesPerStream.size() > 1)
        throw Error(QStringLiteral("A BDN index holds one stream: convert each file on its own."));
    m_count = picturesPerStream.empty() ? 0 : picturesPerStream.front();
}

void BdnXmlWriter::open(const QStringList& paths)
{
    formatOf(m_options); // a format Blu-ray has not is refused before any file is touched
    discard();
    m_events.clear();
    m_index = 0;
    m_xmlPath = paths.front();
    // The set's folder is replaced whole, so it may hold nothing but an earlier set: a file of
    // another kind in it keeps the folder as it is and nothing is written.
    const QString folder = QFileInfo(m_xmlPath).path();
    if (const QString why = ReasonToKeepFolder(folder, {xmlFile().files.front(), kPngKind});
        !why.isEmpty())
        throw Error(QStringLiteral("%1 was left as it is: %2.")
                        .arg(ReadableName(QDir::toNativeSeparators(folder)), why));
    RemoveLeftoverFolders(folder);
    m_folder = std::make_unique<StagedFolder>(folder);
}

namespace {

// The part of the drawing in `box` as a PNG picture with straight (not premultiplied) alpha,
// as PNG holds it.
QByteArray pngOf(const ColourImage& drawn, const QRect& box, int number)
{
    QImage cut(box.size(), QImage::Format_ARGB32_Premultiplied);
    cut.fill(Qt::transparent);
    const QRect inside = box.intersected(drawn.box);
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        std::memcpy(cut.scanLine(y - box.top()) + 4 * (inside.left() - box.left()),
                    drawn.argb.constScanLine(y - drawn.box.top()) +
                        4 * (inside.left() - drawn.box.left()),
                    std::size_t(4 * inside.width()));
    cut.convertTo(QImage::Format_ARGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(cut))
        throw Error(QStringLiteral("Subtitle %1 could not be made a PNG picture: %2")
                        .arg(number)
                        .arg(writer.errorString()));
    return png;
}

} // namespace

EncodedPicture BdnXmlWriter::encode(const TimedPicture& picture) const
{
    if (!picture.colour)
        throw Error(
            QStringLiteral("Subtitle %1 was not drawn in full colour.").arg(picture.times.number));
    // A graphic a box: a top and a bottom subtitle are two small pictures, not one tall one.
    EncodedPicture out;
    for (const QRect& box : pgs::ObjectBoxes(*picture.colour, m_options.frame)) {
        const QByteArray png = pngOf(*picture.colour, box, picture.times.number);
        out.bytes.insert(out.bytes.end(), png.begin(), png.end());
        out.partSizes.push_back(std::size_t(png.size()));
        out.windows.push_back(box); // each PNG picture is its box's size
        out.box |= box;
    }
    return out; // nothing drawn: an empty box and no picture file
}

void BdnXmlWriter::write(const PictureTimes& times, const EncodedPicture& encoded)
{
    const int index = m_index++;
    if (encoded.box.isEmpty())
        return; // nothing to show: no event
    std::size_t total = 0;
    for (std::size_t size : encoded.partSizes)
        total += size;
    if (encoded.partSizes.size() != encoded.windows.size() ||
        encoded.windows.size() > std::size_t(pgs::kMaxObjects) || total != encoded.bytes.size())
        throw Error(
            QStringLiteral("Subtitle %1 was not encoded for a BDN index.").arg(times.number));
    Event event{times, {}};
    std::size_t at = 0;
    for (std::size_t k = 0; k < encoded.windows.size(); ++k) {
        const QString name = QFileInfo(PicturePath(m_xmlPath, index, m_count, int(k))).fileName();
        m_folder->write(name, reinterpret_cast<const char*>(encoded.bytes.data() + at),
                        qint64(encoded.partSizes[k]));
        at += encoded.partSizes[k];
        event.graphics.push_back({encoded.windows[k], name});
    }
    m_events.push_back(std::move(event));
}

QString BdnXmlWriter::IndexText(const BluRayOptions& options, const QString& title,
                                const std::vector<Event>& events)
{
    const FrameRate rate = options.frameRate;
    const auto tc = [rate](std::int64_t frame) { return BluRayTimecode(frame, rate); };
    QString xml;
    xml += QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
    xml +=
        QStringLiteral("<BDN Version=\"0.93\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                       "xsi:noNamespaceSchemaLocation=\"BD-03-006-0093b BDN File Format.xsd\">\n");
    xml += QStringLiteral("  <Description>\n");
    xml += QStringLiteral("    <Name Title=\"%1\" Content=\"\"/>\n").arg(escaped(title));
    xml += QStringLiteral("    <Language Code=\"%1\"/>\n").arg(escaped(options.language));
    xml += QStringLiteral("    <Format VideoFormat=\"%1\" FrameRate=\"%2\" DropFrame=\"False\"/>\n")
               .arg(QLatin1String(formatOf(options).formatName),
                    QLatin1String(formatOf(options).rateName));
    const QString first = events.empty() ? tc(0) : tc(events.front().times.start);
    const QString last = events.empty() ? tc(0) : tc(events.back().times.end);
    xml +=
        QStringLiteral("    <Events Type=\"Graphic\" FirstEventInTC=\"%1\" LastEventOutTC=\"%2\" "
                       "NumberofEvents=\"%3\"/>\n")
            .arg(first, last)
            .arg(events.size());
    xml += QStringLiteral("  </Description>\n  <Events>\n");
    for (const Event& e : events) {
        xml += QStringLiteral("    <Event Forced=\"%1\" InTC=\"%2\" OutTC=\"%3\">\n")
                   .arg(e.times.forced ? QStringLiteral("True") : QStringLiteral("False"),
                        tc(e.times.start), tc(e.times.end));
        for (const Graphic& g : e.graphics)
            xml += QStringLiteral("      <Graphic Width=\"%1\" Height=\"%2\" X=\"%3\" "
                                  "Y=\"%4\">%5</Graphic>\n")
                       .arg(g.box.width())
                       .arg(g.box.height())
                       .arg(g.box.x())
                       .arg(g.box.y())
                       .arg(escaped(g.picture));
        xml += QStringLiteral("    </Event>\n");
    }
    xml += QStringLiteral("  </Events>\n</BDN>\n");
    return xml;
}

void BdnXmlWriter::commit()
{
    // An event ends at least a frame after it starts, as players need.
    for (Event& e : m_events)
        e.times.end = std::max(e.times.end, e.times.start + 1);
    const QByteArray xml =
        IndexText(m_options, portableName(QFileInfo(m_xmlPath).completeBaseName()), m_events)
            .toUtf8();
    m_folder->write(QFileInfo(m_xmlPath).fileName(), xml.constData(), xml.size());
    m_folder->commit();
}

void BdnXmlWriter::discard()
{
    m_folder.reset();
    m_events.clear();
}

} // namespace lumelle
