#include "pgs/PgsWriter.h"

#include "output/DeviceWriting.h"
#include "pgs/ColourIndexing.h"
#include "platform/Error.h"

namespace lumelle {

namespace {

QString startMessage(int number, std::int64_t ticks)
{
    if (ticks < 0)
        return QStringLiteral("Subtitle %1 starts before 00:00:00:000; the .sup file cannot hold "
                              "it.")
            .arg(number);
    return QStringLiteral("Subtitle %1 starts too late: a Blu-ray .sup file can only hold times "
                          "before 13:15:21:858.")
        .arg(number);
}

} // namespace

PgsWriter::PgsWriter(const BluRayOptions& options) : m_options(options)
{
    m_frame.size = options.frame;
    m_frame.rateCode = pgs::FrameRateCode(options.frameRate.framesPer1000Seconds());
}

const OutputSet& PgsWriter::supFile()
{
    static const OutputSet set{
        {{QStringLiteral(".sup"), QByteArrayLiteral("PG"), QStringLiteral("Blu-ray PGS file")}},
        QStringLiteral("file"),
        QStringLiteral("_pgs")};
    return set;
}

const OutputSet& PgsWriter::outputs() const
{
    return supFile();
}

PictureForm PgsWriter::form() const
{
    return {true, m_options.frame};
}

void PgsWriter::checkStart(int startFrame, int number) const
{
    const std::int64_t ticks = BluRayTicks(startFrame, m_options.frameRate);
    if (ticks < 0 || ticks >= kBluRayTickLimit)
        throw Error(startMessage(number, ticks));
}

void PgsWriter::planStreams(const std::vector<int>& picturesPerStream)
{
    if (picturesPerStream.size() > 1)
        throw Error(QStringLiteral("A Blu-ray .sup file holds one stream: convert each file on "
                                   "its own."));
}

void PgsWriter::open(const QStringList& paths)
{
    m_files.clear();
    m_sup = &m_files.add(paths.front());
    m_written = 0;
    m_composition = 0;
    m_pending.reset();
}

EncodedPicture PgsWriter::encode(const TimedPicture& picture) const
{
    const int number = picture.times.number;
    if (!picture.colour)
        throw Error(QStringLiteral("Subtitle %1 was not drawn in full colour.").arg(number));
    const std::vector<QRect> boxes = pgs::ObjectBoxes(*picture.colour, m_frame.size);
    const pgs::IndexedPicture indexed =
        pgs::IndexColours(*picture.colour, boxes, pgs::IsHighDefinition(m_frame.size));
    std::vector<pgs::Bytes> coded;
    std::size_t codedSize = 0, decodedSize = 0;
    for (const pgs::IndexedObject& object : indexed.objects) {
        coded.push_back(pgs::RunLengthRows(object.pixels, object.box.width(), object.box.height()));
        codedSize += coded.back().size() + 4;
        decodedSize += object.pixels.size();
    }
    // Checked before the picture is written, so a stream a player cannot decode is refused.
    if (codedSize > pgs::kCodedObjectBuffer || decodedSize > pgs::kDecodedObjectBuffer)
        throw Error(QStringLiteral("Subtitle %1 is too large for a Blu-ray player's picture "
                                   "buffers. Please use a smaller font size or fewer lines.")
                        .arg(number));
    const std::int64_t ticks = BluRayTicks(picture.times.start, m_options.frameRate);
    if (ticks < 0 || ticks >= kBluRayTickLimit)
        throw Error(startMessage(number, ticks));
    // write() puts the composition number in, once the sets are in show order.
    pgs::DisplaySet set =
        pgs::ShowDisplaySet(indexed, coded, m_frame, 0, picture.times.forced, std::uint32_t(ticks));
    EncodedPicture encoded;
    encoded.bytes = std::move(set.bytes);
    encoded.windows = boxes;
    for (const QRect& window : boxes)
        encoded.box |= window;
    encoded.showNumberAt = set.compositionNumberAt;
    return encoded;
}

void PgsWriter::put(const std::uint8_t* data, std::size_t size)
{
    WriteAll(m_sup->device(), reinterpret_cast<const char*>(data), qint64(size),
             QStringLiteral("Cannot write the .sup file."));
    m_written += qint64(size);
}

void PgsWriter::append(const pgs::Bytes& bytes)
{
    put(bytes.data(), bytes.size());
    m_sup->startWriteback(m_written);
}

void PgsWriter::write(const PictureTimes& times, const EncodedPicture& encoded)
{
    // Only a picture this writer encoded leaves the place for the composition number; anything
    // else is refused before the file changes.
    const std::vector<std::uint8_t>& bytes = encoded.bytes;
    const std::size_t numberAt = encoded.showNumberAt.value_or(bytes.size());
    if (bytes.size() < 2 || numberAt > bytes.size() - 2)
        throw Error(
            QStringLiteral("Subtitle %1 was not encoded for a .sup file.").arg(times.number));
    const std::int64_t start = BluRayTicks(times.start, m_options.frameRate);
    // A picture shown until the next one starts needs no clearing: the next epoch replaces it.
    if (m_pending && m_pending->ticks < start)
        append(pgs::ClearDisplaySet(m_pending->windows, m_frame, m_composition++,
                                    std::uint32_t(m_pending->ticks)));
    m_pending.reset();

    // The composition number counts the display sets in show order, so it is written here.
    const std::uint8_t composition[2] = {std::uint8_t(m_composition >> 8),
                                         std::uint8_t(m_composition)};
    ++m_composition;
    put(bytes.data(), numberAt);
    put(composition, 2);
    put(bytes.data() + numberAt + 2, bytes.size() - numberAt - 2);
    m_sup->startWriteback(m_written);
    // An end at or before the start (as the file gave it) shows the picture for one frame;
    // an end past what the stamp holds clears it at the last tick it holds.
    const std::int64_t oneFrame = BluRayTicks(times.start + 1, m_options.frameRate) - start;
    const std::int64_t end =
        std::min(std::max(BluRayTicks(times.end, m_options.frameRate), start + oneFrame),
                 kBluRayTickLimit - 1);
    m_pending = PendingClear{end, encoded.windows};
}

void PgsWriter::commit()
{
    if (m_pending)
        append(pgs::ClearDisplaySet(m_pending->windows, m_frame, m_composition++,
                                    std::uint32_t(m_pending->ticks)));
    m_pending.reset();
    m_files.commit();
}

void PgsWriter::discard()
{
    m_files.clear();
    m_sup = nullptr;
    m_pending.reset();
}

} // namespace lumelle
