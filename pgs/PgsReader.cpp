#include "pgs/PgsReader.h"

#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <optional>

namespace lumelle::pgs {

namespace {

// Segment types and flags as the stream holds them.
constexpr std::uint8_t kPaletteSegment = 0x14;
constexpr std::uint8_t kObjectSegment = 0x15;
constexpr std::uint8_t kCompositionSegment = 0x16;
constexpr std::uint8_t kWindowSegment = 0x17;
constexpr std::uint8_t kEndSegment = 0x80;
constexpr std::size_t kHeaderSize = 13; // "PG", PTS 4, DTS 4, type 1, size 2
constexpr std::uint8_t kEpochStartState = 0x80;
constexpr std::uint8_t kCroppedFlag = 0x80;
constexpr std::uint8_t kForcedFlag = 0x40;
constexpr std::uint8_t kFirstFragmentFlag = 0x80;
constexpr std::uint8_t kLastFragmentFlag = 0x40;

bool knownType(std::uint8_t type)
{
    return type == kPaletteSegment || type == kObjectSegment || type == kCompositionSegment ||
           type == kWindowSegment || type == kEndSegment;
}

// Big-endian fields of one segment's payload; reading past its end gives 0 and marks it short.
class Fields
{
public:
    Fields(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    int u8() { return int(take(1)); }
    int u16() { return int(take(2)); }
    long long u24() { return take(3); }
    bool short_() const { return m_short; }
    std::size_t left() const { return m_size - m_at; }
    const std::uint8_t* here() const { return m_data + m_at; }

private:
    long long take(std::size_t n)
    {
        if (m_size - m_at < n) {
            m_short = true;
            m_at = m_size;
            return 0;
        }
        long long v = 0;
        for (std::size_t i = 0; i < n; ++i)
            v = (v << 8) | m_data[m_at++];
        return v;
    }
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
    bool m_short = false;
};

struct CompositionObject
{
    int id = 0;
    int window = 0;
    bool forced = false;
    QPoint at;
    std::optional<QRect> crop;
};

struct Composition
{
    std::size_t offset = 0;
    long long pts = 0;
    QSize frame;
    std::vector<CompositionObject> objects;
    int paletteId = 0;
};

struct ObjectState
{
    std::size_t offset = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coded;
    std::shared_ptr<const ReadObject> decoded;
};

QString at(std::size_t offset)
{
    return QStringLiteral("byte %1").arg(offset);
}

// One run of the coded rows: `length` pixels of index `colour`, or the end of a row.
struct Run
{
    int colour = 0;
    int length = 0;
    bool rowEnd = false;
};

// Reads the run at `i`, moving past it; false when the data breaks off inside it.
bool nextRun(const std::vector<std::uint8_t>& coded, std::size_t& i, Run& run)
{
    const std::size_t n = coded.size();
    run = {coded[i++], 1, false};
    if (run.colour != 0)
        return true;
    if (i >= n)
        return false;
    const int flags = coded[i++];
    if (flags == 0) { // 00 00: the end of a row
        run.rowEnd = true;
        run.length = 0;
        return true;
    }
    run.length = flags & 0x3F;
    if (flags & 0x40) {
        if (i >= n)
            return false;
        run.length = (run.length << 8) | coded[i++];
    }
    if (flags & 0x80) {
        if (i >= n)
            return false;
        run.colour = coded[i++];
    }
    return true;
}

// Checks the coded rows of `object`, counts its pixels by index and keeps the rows up to the
// first fault. False when the data breaks off or a row runs past the width.
bool checkRuns(ReadObject& object)
{
    std::size_t i = 0, rowStart = 0;
    int x = 0, y = 0;
    bool whole = true;
    Run run;
    while (i < object.coded.size() && y < object.height) {
        if (!nextRun(object.coded, i, run) || (!run.rowEnd && x + run.length > object.width))
            break;
        if (run.rowEnd) {
            whole = whole && x == object.width;
            x = 0;
            ++y;
            rowStart = i;
            continue;
        }
        object.uses[std::size_t(run.colour)] += std::uint32_t(run.length);
        x += run.length;
    }
    object.whole = whole && y >= object.height;
    if (y < object.height)
        object.coded.resize(rowStart);
    return y >= object.height;
}

// Draws the rows `area` of `object` in `colours` at `to` (its top-left), each row
// `stride` pixels on from the one before.
void drawRuns(const ReadObject& object, const QRect& area, const QRgb* colours, QRgb* to,
              std::size_t stride)
{
    std::size_t i = 0;
    int x = 0, y = 0;
    Run run;
    const int left = area.left(), right = area.right() + 1;
    while (i < object.coded.size() && y <= area.bottom()) {
        if (!nextRun(object.coded, i, run))
            return;
        if (run.rowEnd) {
            x = 0;
            ++y;
            continue;
        }
        if (y >= area.top()) {
            const int from = std::max(x, left), until = std::min(x + run.length, right);
            if (from < until)
                std::fill_n(to + std::size_t(y - area.top()) * stride + std::size_t(from - left),
                            until - from, colours[run.colour]);
        }
        x += run.length;
    }
}

class StreamReader
{
public:
    ReadStream read(const std::uint8_t* data, std::size_t size);

private:
    void segment(std::uint8_t type, long long pts, Fields fields, std::size_t offset);
    void composition(long long pts, Fields& f, std::size_t offset);
    void windows(Fields& f);
    void palette(Fields& f);
    void object(Fields& f, std::size_t offset);
    void finishObject(ObjectState& state, int id);
    void endOfSet(std::size_t offset);
    void show(ReadDisplay display);
    void problem(std::size_t offset, const QString& message)
    {
        m_out.problems.push_back({offset, message});
    }

    ReadStream m_out;
    std::optional<Composition> m_composition; // of the display set being read
    std::map<int, ReadPalette> m_palettes;
    std::map<int, ObjectState> m_objects;
    std::map<int, QRect> m_windows;
    bool m_highDefinition = true;
};

ReadStream StreamReader::read(const std::uint8_t* data, std::size_t size)
{
    std::size_t pos = 0;
    while (pos < size) {
        if (size - pos < kHeaderSize || data[pos] != 'P' || data[pos + 1] != 'G' ||
            !knownType(data[pos + 10])) {
            if (size - pos < kHeaderSize && data[pos] == 'P') {
                problem(pos, QStringLiteral("the stream breaks off at %1").arg(at(pos)));
                break;
            }
            // Damage between segments: read on from the next segment that looks whole.
            std::size_t next = pos + 1;
            while (next + kHeaderSize <= size &&
                   !(data[next] == 'P' && data[next + 1] == 'G' && knownType(data[next + 10])))
                ++next;
            problem(pos, QStringLiteral("no segment at %1: %2 bytes skipped")
                             .arg(at(pos))
                             .arg(std::min(next, size) - pos));
            pos = next + kHeaderSize <= size ? next : size;
            continue;
        }
        const long long pts = (static_cast<long long>(data[pos + 2]) << 24) |
                              (data[pos + 3] << 16) | (data[pos + 4] << 8) | data[pos + 5];
        const std::size_t length = std::size_t(data[pos + 11] << 8 | data[pos + 12]);
        if (size - pos - kHeaderSize < length) {
            problem(pos, QStringLiteral("the segment at %1 is cut off").arg(at(pos)));
            break;
        }
        segment(data[pos + 10], pts, Fields(data + pos + kHeaderSize, length), pos);
        pos += kHeaderSize + length;
    }
    if (m_composition)
        endOfSet(size);
    return std::move(m_out);
}

void StreamReader::segment(std::uint8_t type, long long pts, Fields fields, std::size_t offset)
{
    if (type == kCompositionSegment) {
        if (m_composition) {
            problem(offset,
                    QStringLiteral("the display set before %1 has no end segment").arg(at(offset)));
            endOfSet(offset);
        }
        composition(pts, fields, offset);
        return;
    }
    if (!m_composition) {
        problem(offset, QStringLiteral("segment at %1 lies outside a display set").arg(at(offset)));
        return;
    }
    if (type == kWindowSegment)
        windows(fields);
    else if (type == kPaletteSegment)
        palette(fields);
    else if (type == kObjectSegment)
        object(fields, offset);
    else
        endOfSet(offset);
    if (fields.short_())
        problem(offset, QStringLiteral("the segment at %1 is too short").arg(at(offset)));
}

void StreamReader::composition(long long pts, Fields& f, std::size_t offset)
{
    Composition c;
    c.offset = offset;
    c.pts = pts;
    c.frame.setWidth(f.u16());
    c.frame.setHeight(f.u16());
    f.u8();  // frame rate
    f.u16(); // composition number
    const int state = f.u8();
    f.u8(); // palette update flag: the objects listed show again in the palette named
    c.paletteId = f.u8();
    const int count = f.u8();
    for (int i = 0; i < count && !f.short_(); ++i) {
        CompositionObject o;
        o.id = f.u16();
        o.window = f.u8();
        const int flags = f.u8();
        o.forced = flags & kForcedFlag;
        const int x = f.u16(), y = f.u16();
        o.at = QPoint(x, y);
        if (flags & kCroppedFlag) {
            const int cx = f.u16(), cy = f.u16(), cw = f.u16(), ch = f.u16();
            o.crop = QRect(cx, cy, cw, ch);
        }
        c.objects.push_back(o);
    }
    if (f.short_()) {
        problem(offset, QStringLiteral("the composition at %1 is too short").arg(at(offset)));
        c.objects.clear();
    }
    // A new epoch starts afresh: nothing of the one before stays in the player.
    if (state & kEpochStartState) {
        m_palettes.clear();
        m_objects.clear();
        m_windows.clear();
    }
    if (m_out.frame.isEmpty())
        m_out.frame = c.frame;
    m_highDefinition = c.frame.height() >= 720;
    m_composition = std::move(c);
}

void StreamReader::windows(Fields& f)
{
    const int count = f.u8();
    for (int i = 0; i < count && !f.short_(); ++i) {
        const int id = f.u8();
        const int x = f.u16(), y = f.u16(), w = f.u16(), h = f.u16();
        if (!f.short_())
            m_windows[id] = QRect(x, y, w, h);
    }
}

void StreamReader::palette(Fields& f)
{
    const int id = f.u8();
    f.u8(); // version
    // Entries a palette does not define stay transparent; an update changes only those it names.
    ReadPalette& entries = m_palettes.try_emplace(id, ReadPalette{}).first->second;
    while (f.left() >= 5) {
        const int entry = f.u8(), y = f.u8(), cr = f.u8(), cb = f.u8(), alpha = f.u8();
        entries[std::size_t(entry)] = ShownColour(y, cr, cb, alpha, m_highDefinition);
    }
}

void StreamReader::object(Fields& f, std::size_t offset)
{
    const int id = f.u16();
    f.u8(); // version
    const int sequence = f.u8();
    ObjectState& state = m_objects[id];
    if (sequence & kFirstFragmentFlag) {
        state = ObjectState{};
        state.offset = offset;
        f.u24(); // the coded length with the size fields
        state.width = f.u16();
        state.height = f.u16();
    } else if (state.offset == 0 && state.coded.empty()) {
        problem(offset, QStringLiteral("object %1 at %2 goes on from a part the stream never had")
                            .arg(id)
                            .arg(at(offset)));
        return;
    }
    if (f.short_())
        return;
    state.coded.insert(state.coded.end(), f.here(), f.here() + f.left());
    if (sequence & kLastFragmentFlag)
        finishObject(state, id);
}

void StreamReader::finishObject(ObjectState& state, int id)
{
    auto decoded = std::make_shared<ReadObject>();
    decoded->width = state.width;
    decoded->height = state.height;
    decoded->coded = std::move(state.coded);
    state.coded = {};
    if (!checkRuns(*decoded))
        problem(state.offset,
                QStringLiteral("object %1 at %2: its rows are damaged; the rest shows transparent")
                    .arg(id)
                    .arg(at(state.offset)));
    decoded->coded.shrink_to_fit();
    state.decoded = std::move(decoded);
}

void StreamReader::endOfSet(std::size_t offset)
{
    (void)offset;
    Composition c = std::move(*m_composition);
    m_composition.reset();
    ReadDisplay display;
    display.start = c.pts;
    display.offset = c.offset;
    display.frame = c.frame;
    const auto palette = m_palettes.find(c.paletteId);
    auto entries = std::make_shared<ReadPalette>();
    if (palette != m_palettes.end())
        *entries = palette->second;
    else
        entries->fill(0);
    display.palette = std::move(entries);
    for (const CompositionObject& o : c.objects) {
        const auto found = m_objects.find(o.id);
        if (found == m_objects.end() || !found->second.decoded) {
            problem(c.offset, QStringLiteral("the composition at %1 shows object %2, which the "
                                             "stream never gave")
                                  .arg(at(c.offset))
                                  .arg(o.id));
            continue;
        }
        const auto& object = found->second.decoded;
        QRect area(0, 0, object->width, object->height);
        if (o.crop)
            area &= *o.crop;
        // The part shown lies at the composition's place, within the object's window.
        QRect onScreen(o.at, area.size());
        const auto window = m_windows.find(o.window);
        if (window != m_windows.end())
            onScreen &= window->second;
        if (onScreen.isEmpty())
            continue;
        area = QRect(area.topLeft() + (onScreen.topLeft() - o.at), onScreen.size());
        display.objects.push_back({object, area, onScreen.topLeft(), o.forced});
    }
    show(std::move(display));
}

bool sameScreen(const ReadDisplay& a, const ReadDisplay& b)
{
    if (a.objects.size() != b.objects.size() || *a.palette != *b.palette)
        return false;
    for (std::size_t i = 0; i < a.objects.size(); ++i) {
        const ShownObject &x = a.objects[i], &y = b.objects[i];
        if (x.area != y.area || x.at != y.at || x.forced != y.forced ||
            (x.object != y.object && x.object->coded != y.object->coded))
            return false;
    }
    return true;
}

// A display set ends the picture before it; one that shows the screen as it already is (an
// acquisition point, repeated for a player that joins late) changes nothing.
void StreamReader::show(ReadDisplay display)
{
    std::vector<ReadDisplay>& shown = m_out.displays;
    const bool open = !shown.empty() && shown.back().end < 0;
    if (open && !display.objects.empty() && sameScreen(shown.back(), display))
        return;
    if (open)
        shown.back().end = display.start;
    if (!display.objects.empty())
        shown.push_back(std::move(display));
}

} // namespace

bool ReadDisplay::forced() const
{
    return std::any_of(objects.begin(), objects.end(),
                       [](const ShownObject& o) { return o.forced; });
}

QRect ReadDisplay::box() const
{
    QRect box;
    for (const ShownObject& o : objects)
        box |= QRect(o.at, o.area.size());
    return box;
}

QRgb ShownColour(int y, int cr, int cb, int alpha, bool highDefinition)
{
    const double l = 1.164 * (y - 16), r = cr - 128, b = cb - 128;
    const double red = highDefinition ? l + 1.793 * r : l + 1.596 * r;
    const double green = highDefinition ? l - 0.213 * b - 0.533 * r : l - 0.392 * b - 0.813 * r;
    const double blue = highDefinition ? l + 2.112 * b : l + 2.017 * b;
    const auto byte = [](double v) { return std::clamp(int(v + 0.5), 0, 255); };
    return qRgba(byte(red), byte(green), byte(blue), alpha);
}

bool LooksLikePgs(const std::uint8_t* head, std::size_t size)
{
    return size >= kHeaderSize && head[0] == 'P' && head[1] == 'G' && knownType(head[10]);
}

bool IsPgsFile(const QString& path)
{
    // Only a regular file is looked into: opening a pipe or a device could wait forever.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(qint64(kHeaderSize));
    return LooksLikePgs(reinterpret_cast<const std::uint8_t*>(head.constData()),
                        std::size_t(head.size()));
}

ReadStream ReadPgs(const std::uint8_t* data, std::size_t size)
{
    return StreamReader().read(data, size);
}

ReadStream ReadPgsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    return ReadPgs(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                   std::size_t(bytes.size()));
}

void ComposeDisplay(const ReadDisplay& display, ColourImage& image)
{
    image.box = display.box();
    if (image.box.isEmpty())
        return;
    if (image.argb.size() != image.box.size() ||
        image.argb.format() != QImage::Format_ARGB32_Premultiplied)
        image.argb = QImage(image.box.size(), QImage::Format_ARGB32_Premultiplied);
    std::array<QRgb, 256> shown;
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = qPremultiply((*display.palette)[i]);
    // One object drawn whole covers the box; anything else leaves parts transparent.
    const bool covered = display.objects.size() == 1 && display.objects[0].object->whole;
    if (!covered)
        image.argb.fill(Qt::transparent);
    const auto stride = std::size_t(image.argb.bytesPerLine() / 4);
    for (const ShownObject& o : display.objects) {
        const QPoint place = o.at - image.box.topLeft();
        QRgb* to = reinterpret_cast<QRgb*>(image.argb.scanLine(place.y())) + place.x();
        drawRuns(*o.object, o.area, shown.data(), to, stride);
    }
}

} // namespace lumelle::pgs
