#include "pgs/PgsReader.h"

#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <new>
#include <optional>
#ifdef __linux__
#include <sys/mman.h>
#endif

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

// An object as its fragments arrive. One that comes whole in one segment (nearly all do) is
// kept as the part of the stream's bytes it lies in, not copied.
struct ObjectState
{
    std::size_t offset = 0;
    int width = 0;
    int height = 0;
    const std::uint8_t* first = nullptr; // the first fragment's bytes, in the stream
    std::size_t firstSize = 0;
    bool joined = false; // more than one fragment: `parts` holds them all
    std::vector<std::uint8_t> parts;
    std::shared_ptr<const ReadObject> decoded;

    std::size_t size() const { return joined ? parts.size() : firstSize; }
    void add(const std::uint8_t* data, std::size_t size)
    {
        if (!joined && first == nullptr && firstSize == 0) {
            first = data;
            firstSize = size;
            return;
        }
        if (!joined) {
            parts.assign(first, first + firstSize);
            joined = true;
        }
        parts.insert(parts.end(), data, data + size);
    }
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

// Reads the run at `i` of the `n` bytes `coded`, moving past it; false when the data breaks
// off inside it.
inline bool nextRun(const std::uint8_t* coded, std::size_t n, std::size_t& i, Run& run)
{
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
    const std::uint8_t* coded = object.coded.data();
    const std::size_t n = object.coded.size();
    const int width = object.width;
    std::size_t i = 0, rowStart = 0;
    int x = 0, y = 0;
    bool whole = true;
    Run run;
    while (i < n && y < object.height) {
        // Most bytes of a smooth-edged picture are single pixels of a colour: counted here,
        // without the general run.
        if (coded[i] != 0) {
            if (x >= width)
                break;
            ++object.uses[coded[i++]];
            ++x;
            continue;
        }
        if (!nextRun(coded, n, i, run) || (!run.rowEnd && x + run.length > width))
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
        object.coded.truncate(rowStart);
    return y >= object.height;
}

// Sets `count` pixels from `to` to `colour`. The long runs are mostly the transparent ground
// around the letters, whose value is 0: set as bytes, many at a time.
inline void fillRow(QRgb* to, int count, QRgb colour)
{
    if (colour == 0)
        std::memset(to, 0, std::size_t(count) * sizeof(QRgb));
    else
        std::fill_n(to, count, colour);
}

// Draws the rows `area` of `object` in `colours` at `to` (its top-left), each row
// `stride` pixels on from the one before.
void drawRuns(const ReadObject& object, const QRect& area, const QRgb* colours, QRgb* to,
              std::size_t stride)
{
    const std::uint8_t* coded = object.coded.data();
    const std::size_t n = object.coded.size();
    std::size_t i = 0;
    int x = 0, y = 0;
    Run run;
    const int left = area.left(), right = area.right() + 1, top = area.top();
    QRgb* row = y >= top ? to : nullptr;
    while (i < n && y <= area.bottom()) {
        // A single pixel of a colour, the commonest run of a smooth-edged picture.
        if (coded[i] != 0) {
            if (row && x >= left && x < right)
                row[x - left] = colours[coded[i]];
            ++i;
            ++x;
            continue;
        }
        if (!nextRun(coded, n, i, run))
            return;
        if (run.rowEnd) {
            x = 0;
            ++y;
            row = y >= top ? to + std::size_t(y - top) * stride : nullptr;
            continue;
        }
        if (row) {
            const int from = std::max(x, left), until = std::min(x + run.length, right);
            if (from < until)
                fillRow(row + std::size_t(from - left), until - from, colours[run.colour]);
        }
        x += run.length;
    }
}

class StreamReader
{
public:
    // `owner` keeps `data` alive: objects then hold their part of it; without one each object
    // copies its bytes.
    explicit StreamReader(std::shared_ptr<const void> owner) : m_owner(std::move(owner)) {}
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

    std::shared_ptr<const void> m_owner;
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
    } else if (state.offset == 0 && state.size() == 0) {
        problem(offset, QStringLiteral("object %1 at %2 goes on from a part the stream never had")
                            .arg(id)
                            .arg(at(offset)));
        return;
    }
    if (f.short_())
        return;
    state.add(f.here(), f.left());
    if (sequence & kLastFragmentFlag)
        finishObject(state, id);
}

void StreamReader::finishObject(ObjectState& state, int id)
{
    auto decoded = std::make_shared<ReadObject>();
    decoded->width = state.width;
    decoded->height = state.height;
    if (state.joined)
        decoded->coded = SharedBytes(std::move(state.parts));
    else if (m_owner)
        decoded->coded = SharedBytes(m_owner, state.first, state.firstSize);
    else
        decoded->coded =
            SharedBytes(std::vector<std::uint8_t>(state.first, state.first + state.firstSize));
    state.first = nullptr;
    state.firstSize = 0;
    state.joined = false;
    state.parts = {};
    if (!checkRuns(*decoded))
        problem(state.offset,
                QStringLiteral("object %1 at %2: its rows are damaged; the rest shows transparent")
                    .arg(id)
                    .arg(at(state.offset)));
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

// A whole file in memory. A large one is asked for in huge pages where the system gives them:
// read into small pages, a stream of 50 MB costs ten thousand page faults before its first
// picture is drawn.
class FileBytes
{
public:
    explicit FileBytes(std::size_t capacity) : m_capacity(capacity)
    {
#ifdef __linux__
        if (capacity >= kHugePage) {
            const std::size_t rounded = (capacity + kHugePage - 1) / kHugePage * kHugePage;
            m_data = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, rounded));
            if (m_data)
                madvise(m_data, rounded, MADV_HUGEPAGE);
        }
#endif
        if (!m_data)
            m_data = static_cast<std::uint8_t*>(std::malloc(std::max<std::size_t>(capacity, 1)));
        if (!m_data)
            throw std::bad_alloc();
    }
    ~FileBytes()
    {
        std::free(m_data);
    }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;
    std::uint8_t* data()
    {
        return m_data;
    }
    const std::uint8_t* data() const
    {
        return m_data;
    }
    std::size_t size() const
    {
        return m_size;
    }
    std::size_t capacity() const
    {
        return m_capacity;
    }
    void setSize(std::size_t size)
    {
        m_size = size;
    }

private:
    static constexpr std::size_t kHugePage = std::size_t(2) << 20;
    std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// The bytes of `file` to its end; nothing when reading fails. A file that grows while it is
// read is read as far as its size when opened; one that shrinks, as far as it goes.
std::shared_ptr<const FileBytes> readWhole(QFile& file)
{
    const qint64 expected = file.size();
    if (expected <= 0) {
        // A file whose size the system does not tell (or an empty one): read as it comes.
        const QByteArray all = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return nullptr;
        auto bytes = std::make_shared<FileBytes>(std::size_t(all.size()));
        std::copy(all.begin(), all.end(), bytes->data());
        bytes->setSize(std::size_t(all.size()));
        return bytes;
    }
    auto bytes = std::make_shared<FileBytes>(std::size_t(expected));
    std::size_t done = 0;
    while (done < bytes->capacity()) {
        const qint64 got = file.read(reinterpret_cast<char*>(bytes->data() + done),
                                     qint64(bytes->capacity() - done));
        if (got < 0)
            return nullptr;
        if (got == 0)
            break;
        done += std::size_t(got);
    }
    bytes->setSize(done);
    return bytes;
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

SharedBytes::SharedBytes(std::vector<std::uint8_t> bytes)
{
    auto owned = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    m_data = owned->data();
    m_size = owned->size();
    m_owner = std::move(owned);
}

bool operator==(const SharedBytes& a, const SharedBytes& b)
{
    return a.size() == b.size() &&
           (a.data() == b.data() || std::equal(a.begin(), a.end(), b.begin()));
}

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
    return StreamReader(nullptr).read(data, size);
}

ReadStream ReadPgsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const std::shared_ptr<const FileBytes> bytes = readWhole(file);
    if (!bytes)
        throw Error(QStringLiteral("%1: %2").arg(path, file.errorString()));
    // The objects keep their parts of the file's bytes instead of copies of them.
    return StreamReader(bytes).read(bytes->data(), bytes->size());
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
