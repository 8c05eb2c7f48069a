#include "vobsub/VobSubReader.h"

#include "platform/Error.h"
#include "subtitle/TimeCodes.h"
#include "vobsub/DvdSup.h"
#include "vobsub/IndexReader.h"
#include "vobsub/ProgramStreamReader.h"
#include "vobsub/SubpictureDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <algorithm>
#include <map>

namespace lumelle {

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return file.readAll();
}

const std::uint8_t* bytesOf(const QByteArray& bytes)
{
    return reinterpret_cast<const std::uint8_t*>(bytes.constData());
}

// Sixteen greys from black to white: the colours of a .sub read without its index.
std::array<QRgb, 16> greys()
{
    std::array<QRgb, 16> palette{};
    for (int i = 0; i < 16; ++i)
        palette[std::size_t(i)] = qRgb(i * 17, i * 17, i * 17);
    return palette;
}

// The picture of `unit`, its times moved to `start` (ticks); a fault is named in `read`.
DvdPicture pictureOf(const RawUnit& unit, long long start, const QString& where, DvdRead& read)
{
    UnitFault fault;
    DvdPicture p = DecodeSubpicture(unit.bytes.data(), unit.bytes.size(), fault);
    if (!fault.what.isEmpty())
        read.problems.push_back({QString(), unit.offset,
                                 QStringLiteral("the subtitle at %1: %2 (byte %3 of its unit)")
                                     .arg(where, fault.what)
                                     .arg(fault.at)});
    p.offset = unit.offset;
    if (p.end >= 0)
        p.end += start;
    p.start += start;
    return p;
}

// A picture the unit never hides shows until the next of its stream.
void endAtNext(std::vector<DvdPicture>& pictures)
{
    std::stable_sort(pictures.begin(), pictures.end(),
                     [](const DvdPicture& a, const DvdPicture& b) { return a.start < b.start; });
    for (std::size_t i = 0; i + 1 < pictures.size(); ++i)
        if (pictures[i].end < 0)
            pictures[i].end = pictures[i + 1].start;
}

// Pictures that start where the 33-bit clock cannot reach are damage: left out and named.
void dropUnreachable(DvdRead& read)
{
    for (DvdStream& stream : read.streams) {
        auto& pictures = stream.pictures;
        for (const DvdPicture& p : pictures)
            if (p.start >= (long long)(kClockTickLimit))
                read.problems.push_back({QString(), p.offset,
                                         QStringLiteral("the subtitle at byte %1 starts past "
                                                        "%2 and is left out")
                                             .arg(p.offset)
                                             .arg(QLatin1String(kLatestStartText))});
        pictures.erase(std::remove_if(pictures.begin(), pictures.end(),
                                      [](const DvdPicture& p) {
                                          return p.start >= (long long)(kClockTickLimit);
                                      }),
                       pictures.end());
    }
}

QString byteText(std::size_t offset)
{
    return QStringLiteral("byte %1").arg(offset);
}

// The streams of a .sub read alone: one per substream, timed by the packs' time stamps.
void streamsOfUnits(const std::vector<RawUnit>& units, DvdRead& read)
{
    std::map<int, DvdStream> streams;
    for (const RawUnit& unit : units) {
        DvdStream& s = streams[unit.stream];
        s.index = unit.stream;
        s.pictures.push_back(pictureOf(unit, std::max(0LL, unit.pts), byteText(unit.offset), read));
    }
    for (auto& [index, stream] : streams)
        read.streams.push_back(std::move(stream));
}

// The streams the index names, each subtitle taken from the unit at its file position.
void streamsOfIndex(const IndexContents& index, const std::vector<RawUnit>& units, DvdRead& read)
{
    std::map<std::pair<int, std::size_t>, const RawUnit*> at;
    for (const RawUnit& unit : units)
        at.emplace(std::make_pair(unit.stream, unit.offset), &unit);
    std::size_t used = 0;
    for (const ReadIndexStream& s : index.streams) {
        DvdStream stream{s.index, s.code, s.alt, {}};
        for (const IndexEntry& e : s.entries) {
            const auto found = at.find({s.index, e.filepos});
            if (found == at.end()) {
                read.problems.push_back(
                    {QStringLiteral("idx"), std::size_t(e.line),
                     QStringLiteral("line %1: stream %2 has no subtitle at byte %3 of the .sub")
                         .arg(e.line)
                         .arg(s.index)
                         .arg(e.filepos)});
                continue;
            }
            ++used;
            stream.pictures.push_back(
                pictureOf(*found->second, e.start, byteText(e.filepos), read));
        }
        if (index.languageIndex == s.index)
            read.defaultStream = int(read.streams.size());
        read.streams.push_back(std::move(stream));
    }
    if (used < units.size())
        read.problems.push_back({QString(), 0,
                                 QStringLiteral("%1 subtitles of the .sub are not in the index "
                                                "and are left out")
                                     .arg(units.size() - used)});
}

} // namespace

QString DvdStreamName(const DvdStream& stream)
{
    return stream.code.isEmpty() ? QString::number(stream.index)
                                 : QStringLiteral("%1 (%2)").arg(stream.index).arg(stream.code);
}

QString DvdStreamNames(const DvdRead& read)
{
    QStringList names;
    for (const DvdStream& s : read.streams)
        names << DvdStreamName(s);
    return names.join(QStringLiteral(", "));
}

QRgb DvdRead::shown(const DvdPicture& picture, int value) const
{
    const auto v = std::size_t(value);
    int alpha = picture.contrast[v] * 17;
    QRgb rgb = palette[picture.colour[v] & 0x0F];
    if (customColours) {
        rgb = custom[v];
        if (customTransparent[v])
            alpha = 0;
    }
    return qRgba(qRed(rgb), qGreen(rgb), qBlue(rgb), alpha);
}

DvdFileKind DvdFileKindOf(const QString& path)
{
    // Only a regular file is looked into: opening a pipe or a device could wait forever.
    if (!QFileInfo(path).isFile())
        return DvdFileKind::None;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DvdFileKind::None;
    const QByteArray head = file.read(256);
    const auto* bytes = bytesOf(head);
    if (LooksLikeVobSubIndex(head))
        return DvdFileKind::VobSubIndex;
    if (LooksLikeProgramStream(bytes, std::size_t(head.size())))
        return DvdFileKind::VobSubStream;
    // "SP", a time the 33-bit clock can hold (its top bytes zero), then a unit that decodes.
    if (head.size() >= 14 && bytes[0] == kSupMagic[0] && bytes[1] == kSupMagic[1] &&
        bytes[6] <= 1 && bytes[7] == 0 && bytes[8] == 0 && bytes[9] == 0) {
        const std::size_t unitSize = UnitSizeOf(bytes + kSupHeaderSize, 2);
        file.seek(qint64(kSupHeaderSize));
        const QByteArray unit = file.read(qint64(unitSize));
        UnitFault fault;
        if (unitSize >= 4 && std::size_t(unit.size()) == unitSize) {
            DecodeSubpicture(bytesOf(unit), unitSize, fault);
            if (fault.what.isEmpty())
                return DvdFileKind::DvdSup;
        }
    }
    return DvdFileKind::None;
}

VobSubFiles VobSubFilesOf(const QString& path)
{
    const DvdFileKind kind = DvdFileKindOf(path);
    const QFileInfo info(path);
    const QString wanted =
        kind == DvdFileKind::VobSubIndex ? QStringLiteral("sub") : QStringLiteral("idx");
    const DvdFileKind other =
        kind == DvdFileKind::VobSubIndex ? DvdFileKind::VobSubStream : DvdFileKind::VobSubIndex;
    QString found;
    const QDir folder = info.dir();
    for (const QString& name : folder.entryList(QDir::Files)) {
        const QFileInfo candidate(folder.filePath(name));
        if (candidate.completeBaseName() == info.completeBaseName() &&
            candidate.suffix().compare(wanted, Qt::CaseInsensitive) == 0 &&
            DvdFileKindOf(candidate.filePath()) == other) {
            found = candidate.filePath();
            break;
        }
    }
    if (kind == DvdFileKind::VobSubIndex) {
        if (found.isEmpty())
            throw Error(QStringLiteral("no .sub file beside the index"));
        return {path, found};
    }
    return {found, path};
}

DvdRead ReadVobSub(const QByteArray& idxText, const std::uint8_t* sub, std::size_t size)
{
    DemuxedStream demuxed = DemuxProgramStream(sub, size);
    DvdRead read;
    if (idxText.isNull()) {
        read.palette = greys();
        streamsOfUnits(demuxed.units, read);
    } else {
        const IndexContents index = ReadIndexText(idxText);
        read = index.colours;
        read.frame = index.frame;
        read.paletteGiven = index.palette;
        if (!index.palette)
            read.palette = greys();
        for (DvdProblem p : index.problems) {
            p.file = QStringLiteral("idx");
            read.problems.push_back(p);
        }
        streamsOfIndex(index, demuxed.units, read);
    }
    for (DvdProblem& p : demuxed.problems)
        read.problems.push_back(p);
    dropUnreachable(read);
    for (DvdStream& stream : read.streams)
        endAtNext(stream.pictures);
    return read;
}

DvdRead ReadVobSubFiles(const VobSubFiles& files)
{
    const QByteArray idx = files.idx.isEmpty() ? QByteArray() : readAll(files.idx);
    const QByteArray sub = readAll(files.sub);
    DvdRead read = ReadVobSub(idx, bytesOf(sub), std::size_t(sub.size()));
    for (DvdProblem& p : read.problems)
        p.file = p.file == QLatin1String("idx") ? files.idx : files.sub;
    return read;
}

DvdRead ReadDvdSup(const std::uint8_t* data, std::size_t size)
{
    DvdRead read;
    read.palette = greys();
    DvdStream stream;
    std::size_t pos = 0;
    while (pos < size) {
        const std::size_t unitSize =
            pos + kSupHeaderSize <= size
                ? UnitSizeOf(data + pos + kSupHeaderSize, size - pos - kSupHeaderSize)
                : 0;
        if (pos + kSupHeaderSize > size || data[pos] != kSupMagic[0] ||
            data[pos + 1] != kSupMagic[1] || unitSize < 4) {
            // Damage between units: read on from the next header.
            std::size_t next = pos + 1;
            while (next + 1 < size &&
                   !(data[next] == kSupMagic[0] && data[next + 1] == kSupMagic[1]))
                ++next;
            next = next + 1 < size ? next : size;
            read.problems.push_back({QString(), pos,
                                     QStringLiteral("no subtitle at %1: %2 bytes skipped")
                                         .arg(byteText(pos))
                                         .arg(next - pos)});
            pos = next;
            continue;
        }
        std::uint64_t time = 0;
        for (int b = 7; b >= 0; --b)
            time = (time << 8) | data[pos + 2 + std::size_t(b)];
        // A time past the clock's limit is damage; the picture is left out by the check below.
        const long long ticks =
            time < kClockTickLimit ? (long long)(time) : (long long)(kClockTickLimit);
        const std::size_t unitAt = pos + kSupHeaderSize;
        RawUnit unit{0, pos, ticks, {}, true};
        const std::size_t available = std::min(unitSize, size - unitAt);
        unit.bytes.assign(data + unitAt, data + unitAt + available);
        if (available < unitSize)
            read.problems.push_back(
                {QString(), pos,
                 QStringLiteral("the subtitle at %1 is cut off").arg(byteText(pos))});
        stream.pictures.push_back(pictureOf(unit, ticks, byteText(pos), read));
        pos = unitAt + unitSize;
    }
    read.streams.push_back(std::move(stream));
    dropUnreachable(read);
    endAtNext(read.streams[0].pictures);
    return read;
}

DvdRead ReadDvdSupFile(const QString& path)
{
    const QByteArray bytes = readAll(path);
    DvdRead read = ReadDvdSup(bytesOf(bytes), std::size_t(bytes.size()));
    for (DvdProblem& p : read.problems)
        p.file = path;
    return read;
}

} // namespace lumelle
