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
    // A format Blu-ray has not is refused before any file is touched.
    if (const QString problem = BluRayFormatProblem(m_options.frame, m_options.frameRate);
        !problem.isEmpty())
        throw Error(problem);
    m_files.clear();
    m_sup = &m_files.add(paths.front());
    m_written = 0;
    m_composition = 0;
    m_pending.reset();
    m_lastShown = -1;
    m_epochWindows.clear();
    m_version = 0;
    m_late = 0;
    m_mostLate = 0;
    m_stepsLeftOut = 0;
    m_lastNumber = 0;
    m_firstLate.reset();
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

namespace {

std::int64_t areaOf(const std::vector<QRect>& boxes)
{
    std::int64_t area = 0;
    for (const QRect& box : boxes)
        area += std::int64_t(box.width()) * box.height();
    return area;
}

// Whether `boxes` can be shown in `windows` without a new epoch: as many, each inside its own.
bool fitsWindows(const std::vector<QRect>& boxes, const std::vector<QRect>& windows)
{
    if (boxes.size() != windows.size())
        return false;
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (!windows[i].contains(boxes[i]))
            return false;
    return true;
}

} // namespace

std::int64_t PgsWriter::writeClear(std::int64_t ticks)
{
    // A clear takes the time to empty its windows after the set before is shown.
    const std::int64_t after = m_lastShown + pgs::DecodeDuration({}, areaOf(m_pending->windows));
    const std::int64_t shown = std::max(ticks, std::max<std::int64_t>(after, 0));
    append(
        pgs::ClearDisplaySet(m_pending->windows, m_frame, m_composition++, std::uint32_t(shown)));
    m_lastShown = shown;
    m_pending.reset();
    return shown;
}

pgs::Placement PgsWriter::placeShow(const std::vector<QRect>& windows, std::int64_t start,
                                    std::int64_t after) const
{
    // A new epoch clears the whole plane first; going on in the epoch only its windows.
    const std::int64_t epoch =
        pgs::DecodeDuration(windows, std::int64_t(m_frame.size.width()) * m_frame.size.height());
    const bool canGoOn = fitsWindows(windows, m_epochWindows);
    const std::int64_t goOn = pgs::DecodeDuration(windows, areaOf(m_epochWindows));
    pgs::Placement p;
    p.epochStart = !canGoOn || start - epoch >= after;
    const std::int64_t takes = p.epochStart ? epoch : goOn;
    // Shown at its start when there is time to decode it, else as soon as it is decoded.
    const std::int64_t shown = std::max(start, std::max<std::int64_t>(after, 0) + takes);
    p.pts = std::uint32_t(std::min(shown, kBluRayTickLimit - 1));
    p.decodeStart = std::uint32_t(std::max<std::int64_t>(0, p.pts - takes));
    p.version = p.epochStart ? 0 : std::uint8_t(m_version + 1);
    return p;
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
    if (encoded.windows.empty()) {
        // A picture that shows nothing (the invisible first step of a fade) is no epoch: the
        // screen is only cleared by then.
        if (m_pending)
            m_pending->ticks = std::min(m_pending->ticks, start);
        return;
    }
    // A picture shown until the next one starts needs no clearing: the next epoch replaces it.
    // A clear is also left out when it would leave the next picture no time to be decoded
    // after it; the picture before then stays until the next one replaces it.
    std::int64_t after = m_lastShown;
    if (m_pending && m_pending->ticks < start) {
        const std::int64_t clearAt = std::max(
            m_pending->ticks, m_lastShown + pgs::DecodeDuration({}, areaOf(m_pending->windows)));
        const pgs::Placement behind = placeShow(encoded.windows, start, clearAt);
        if (behind.pts == start)
            after = writeClear(m_pending->ticks);
    }
    m_pending.reset();
    pgs::Placement p = placeShow(encoded.windows, start, after);
    // A step of the subtitle shown last that could only be shown once it has ended is left
    // out, so that the steps after it are not all pushed later; the step before stays.
    const std::int64_t until = BluRayTicks(times.end, m_options.frameRate);
    if (std::int64_t(p.pts) > start && std::int64_t(p.pts) >= until &&
        times.number == m_lastNumber) {
        ++m_stepsLeftOut;
        return;
    }
    m_lastNumber = times.number;
    p.composition = m_composition++;
    const pgs::Bytes placed = pgs::PlaceDisplaySet(
        bytes, p,
        p.epochStart ? std::int64_t(m_frame.size.width()) * m_frame.size.height()
                     : areaOf(m_epochWindows));
    if (placed.empty())
        throw Error(
            QStringLiteral("Subtitle %1 was not encoded for a .sup file.").arg(times.number));
    append(placed);
    noteLate(times.number, start, p.pts);
    m_lastShown = p.pts;
    if (p.epochStart)
        m_epochWindows = encoded.windows;
    m_version = p.version;
    // An end at or before the start (as the file gave it) shows the picture for one frame;
    // an end past what the stamp holds clears it at the last tick it holds.
    const std::int64_t oneFrame = BluRayTicks(times.start + 1, m_options.frameRate) - start;
    const std::int64_t end = std::min(
        std::max(BluRayTicks(times.end, m_options.frameRate), std::int64_t(p.pts) + oneFrame),
        kBluRayTickLimit - 1);
    m_pending = PendingClear{end, m_epochWindows};
}

void PgsWriter::noteLate(int number, std::int64_t start, std::int64_t shown)
{
    if (shown <= start)
        return;
    if (m_lastShown < 0) {
        m_firstLate = {number, shown - start};
        return;
    }
    ++m_late;
    m_mostLate = std::max(m_mostLate, shown - start);
}

void PgsWriter::finish(const QDir& folder, const QStringList& inputs, GenerationResult& result)
{
    (void)folder, (void)inputs;
    const auto ms = [](std::int64_t ticks) { return QString::number((ticks + 89) / 90); };
    if (m_firstLate)
        result.notes << QStringLiteral("Subtitle %1 is shown %2 ms after its start: a Blu-ray "
                                       "player needs that long to decode the first picture.")
                            .arg(m_firstLate->first)
                            .arg(ms(m_firstLate->second));
    if (m_stepsLeftOut > 0)
        result.notes << QStringLiteral("%1 steps of animated subtitles are left out: a Blu-ray "
                                       "player could not decode them before they end.")
                            .arg(m_stepsLeftOut);
    if (m_late > 0)
        result.notes << QStringLiteral("%1 pictures are shown up to %2 ms after their start: a "
                                       "Blu-ray player needs the time to decode each after the "
                                       "one before.")
                            .arg(m_late)
                            .arg(ms(m_mostLate));
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
