#include "reference/PgsStreamCheck.h"

#include <array>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

namespace lumelle::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

enum : std::uint8_t { kPds = 0x14, kOds = 0x15, kPcs = 0x16, kWds = 0x17, kEnd = 0x80 };
constexpr std::uint8_t kEpochStartState = 0x80, kAcquisitionState = 0x40, kNormalState = 0x00;
constexpr std::size_t kCodedBuffer = 1 << 20, kDecodedBuffer = 4 << 20;
constexpr int kSmallestSide = 8, kLargestSide = 4096;

struct Segment
{
    std::uint32_t pts = 0, dts = 0;
    std::uint8_t type = 0;
    Bytes data;
};

struct Rect
{
    int x = 0, y = 0, w = 0, h = 0;
    bool inside(const Rect& o) const
    {
        return x >= o.x && y >= o.y && x + w <= o.x + o.w && y + h <= o.y + o.h;
    }
    bool operator==(const Rect&) const = default;
};

struct Object
{
    int version = 0, w = 0, h = 0;
    std::set<int> indexes; // the palette entries its pixels use
};

// What the decoder holds during an epoch.
struct Epoch
{
    std::map<int, Rect> windows;
    std::map<int, std::pair<int, std::set<int>>> palettes; // id -> version, entry ids
    std::map<int, Object> objects;
    std::size_t coded = 0; // of the display set being read
};

// The whole stream's state between display sets.
struct Checker
{
    std::vector<std::string> faults;
    int set = 0;
    int width = -1, height = -1, rate = -1, number = -1;
    std::int64_t lastShown = -1, lastDts = 0;
    bool started = false;
    Epoch epoch;

    void fault(const std::string& what)
    {
        faults.push_back("display set " + std::to_string(set) + ": " + what);
    }
};

unsigned u16(const Bytes& b, std::size_t at)
{
    return unsigned(b[at]) << 8 | b[at + 1];
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return (a + b - 1) / b;
}
// The decoder model's rates: objects decode at 128 Mbit/s, the plane and windows are cleared
// at 256 Mbit/s, in 90 kHz ticks.
std::int64_t decodeTime(std::int64_t pixels)
{
    return ceilDiv(pixels * 9, 1600);
}
std::int64_t clearTime(std::int64_t pixels)
{
    return ceilDiv(pixels * 9, 3200);
}

// The segments, or a fault when the bytes are not whole segments.
std::vector<Segment> segmentsOf(const Bytes& b, Checker& c)
{
    std::vector<Segment> out;
    std::size_t at = 0;
    while (at < b.size()) {
        if (b.size() - at < 13 || b[at] != 'P' || b[at + 1] != 'G') {
            c.fault("bytes at " + std::to_string(at) + " are not a segment header");
            return out;
        }
        const std::size_t size = u16(b, at + 11);
        if (at + 13 + size > b.size()) {
            c.fault("the segment at " + std::to_string(at) + " runs past the end");
            return out;
        }
        Segment s;
        s.pts = std::uint32_t(u16(b, at + 2)) << 16 | u16(b, at + 4);
        s.dts = std::uint32_t(u16(b, at + 6)) << 16 | u16(b, at + 8);
        s.type = b[at + 10];
        s.data.assign(b.begin() + std::ptrdiff_t(at + 13),
                      b.begin() + std::ptrdiff_t(at + 13 + size));
        out.push_back(std::move(s));
        at += 13 + size;
    }
    return out;
}

// Decodes run-length rows; false when they do not make exactly w x h pixels.
bool decodeRows(const Bytes& d, std::size_t at, int w, int h, std::set<int>& used)
{
    int rows = 0, x = 0;
    while (at < d.size()) {
        const std::uint8_t b = d[at++];
        if (b != 0) {
            used.insert(b), ++x;
            continue;
        }
        if (at >= d.size())
            return false;
        const std::uint8_t code = d[at++];
        if (code == 0) { // end of the row
            if (x != w)
                return false;
            ++rows, x = 0;
            continue;
        }
        int length = code & 0x3F;
        if (code & 0x40) {
            if (at >= d.size())
                return false;
            length = length << 8 | d[at++];
        }
        int index = 0;
        if (code & 0x80) {
            if (at >= d.size())
                return false;
            index = d[at++];
        }
        if (length == 0)
            return false;
        if (index != 0)
            used.insert(index);
        x += length;
    }
    return rows == h && x == 0;
}

void checkWindows(Checker& c, const Segment& s, bool epochStart)
{
    const Bytes& d = s.data;
    if (d.empty() || d.size() != 1 + 9 * std::size_t(d[0]))
        return c.fault("window segment of the wrong length");
    std::map<int, Rect> windows;
    for (std::size_t i = 0; i < d[0]; ++i) {
        const std::size_t at = 1 + 9 * i;
        const Rect r{int(u16(d, at + 1)), int(u16(d, at + 3)), int(u16(d, at + 5)),
                     int(u16(d, at + 7))};
        if (r.w == 0 || r.h == 0 || !r.inside({0, 0, c.width, c.height}))
            c.fault("window " + std::to_string(d[at]) + " is empty or outside the frame");
        if (!windows.emplace(d[at], r).second)
            c.fault("window id given twice");
    }
    if (epochStart) {
        if (windows.empty() || windows.size() > 2)
            c.fault("an epoch starts with " + std::to_string(windows.size()) +
                    " windows (one or two)");
        c.epoch.windows = windows;
    } else if (windows != c.epoch.windows) {
        c.fault("windows change within an epoch");
    }
}

void checkPalette(Checker& c, const Segment& s)
{
    const Bytes& d = s.data;
    if (d.size() < 2 || (d.size() - 2) % 5 != 0)
        return c.fault("palette segment of the wrong length");
    const int id = d[0], version = d[1];
    if (id > 7)
        c.fault("palette id " + std::to_string(id) + " above 7");
    auto found = c.epoch.palettes.find(id);
    if (found != c.epoch.palettes.end() && version != ((found->second.first + 1) & 0xFF))
        c.fault("palette " + std::to_string(id) + " version " + std::to_string(version) +
                " does not follow " + std::to_string(found->second.first));
    std::set<int>& entries = c.epoch.palettes[id].second;
    c.epoch.palettes[id].first = version;
    std::set<int> here;
    for (std::size_t at = 2; at < d.size(); at += 5) {
        const int entry = d[at], y = d[at + 1], cr = d[at + 2], cb = d[at + 3];
        if (entry == 0xFF)
            c.fault("palette entry 0xFF is used");
        if (!here.insert(entry).second)
            c.fault("palette entry " + std::to_string(entry) + " given twice");
        if (y < 16 || y > 235 || cr < 16 || cr > 240 || cb < 16 || cb > 240)
            c.fault("palette entry " + std::to_string(entry) + " outside TV range");
        entries.insert(entry);
    }
}

// One object's fragments, gathered; returns its decode time.
std::int64_t finishObject(Checker& c, int id, int version, const Bytes& data)
{
    if (data.size() < 7)
        return c.fault("object " + std::to_string(id) + " too short"), 0;
    const std::size_t length = std::size_t(data[0]) << 16 | u16(data, 1);
    const int w = int(u16(data, 3)), h = int(u16(data, 5));
    if (length != data.size() - 3)
        c.fault("object " + std::to_string(id) + " data length does not match its fragments");
    if (w < kSmallestSide || h < kSmallestSide || w > kLargestSide || h > kLargestSide)
        c.fault("object " + std::to_string(id) + " of size " + std::to_string(w) + "x" +
                std::to_string(h));
    auto found = c.epoch.objects.find(id);
    if (found != c.epoch.objects.end() && version != ((found->second.version + 1) & 0xFF))
        c.fault("object " + std::to_string(id) + " version does not follow the last");
    Object object{version, w, h, {}};
    if (!decodeRows(data, 7, w, h, object.indexes))
        c.fault("object " + std::to_string(id) + " rows do not make " + std::to_string(w) + "x" +
                std::to_string(h) + " pixels");
    c.epoch.objects[id] = object;
    c.epoch.coded += data.size() - 3; // the set's coded objects, in the coded buffer at once
    return decodeTime(std::int64_t(w) * h);
}

// The objects of a set: fragments in order, each decoded after the one before; returns the
// time they take.
std::int64_t checkObjects(Checker& c, const std::vector<Segment>& set, std::uint32_t shown)
{
    std::int64_t total = 0, previousDone = 0;
    int id = -1, version = 0;
    Bytes data;
    std::uint32_t firstDts = 0;
    for (const Segment& s : set) {
        if (s.type != kOds)
            continue;
        if (s.data.size() < 4)
            return c.fault("object segment too short"), total;
        const int sid = int(u16(s.data, 0)), flags = s.data[3];
        if (flags & 0x80) {
            if (id >= 0)
                c.fault("object " + std::to_string(id) + " has no last fragment");
            id = sid, version = s.data[2], data.clear(), firstDts = s.dts;
            if (firstDts < previousDone)
                c.fault("object " + std::to_string(sid) + " decoded before the last is done");
        } else if (sid != id) {
            c.fault("a later fragment of object " + std::to_string(sid) + " without its first");
            continue;
        }
        data.insert(data.end(), s.data.begin() + 4, s.data.end());
        if (s.pts > shown)
            c.fault("object " + std::to_string(sid) + " finished after the set is shown");
        if (flags & 0x40) {
            const std::int64_t takes = finishObject(c, id, version, data);
            if (std::int64_t(s.pts) - firstDts < takes)
                c.fault("object " + std::to_string(id) + " has too little time to decode");
            previousDone = s.pts, total += takes, id = -1;
        }
    }
    if (id >= 0)
        c.fault("object " + std::to_string(id) + " has no last fragment");
    return total;
}

// The composition's objects: known, in a known window and inside it, with known colours.
void checkComposition(Checker& c, const Bytes& d, int paletteId)
{
    if (!c.epoch.palettes.count(paletteId))
        c.fault("the composition uses palette " + std::to_string(paletteId) + ", not defined");
    const std::set<int> entries =
        c.epoch.palettes.count(paletteId) ? c.epoch.palettes[paletteId].second : std::set<int>{};
    std::size_t at = 11;
    for (int k = 0; k < d[10]; ++k) {
        const int id = int(u16(d, at)), window = d[at + 2], flags = d[at + 3];
        const Rect place{int(u16(d, at + 4)), int(u16(d, at + 6)), 0, 0};
        at += (flags & 0x80) ? 16 : 8;
        const auto object = c.epoch.objects.find(id);
        const auto box = c.epoch.windows.find(window);
        if (object == c.epoch.objects.end() || box == c.epoch.windows.end()) {
            c.fault("object " + std::to_string(id) + " or window " + std::to_string(window) +
                    " not defined");
            continue;
        }
        const Rect shown{place.x, place.y, object->second.w, object->second.h};
        if (!(flags & 0x80) && !shown.inside(box->second))
            c.fault("object " + std::to_string(id) + " lies outside window " +
                    std::to_string(window));
        for (int index : object->second.indexes)
            if (!entries.count(index))
                c.fault("object " + std::to_string(id) + " uses palette entry " +
                        std::to_string(index) + ", not defined");
    }
}

// The segment kinds in their order: composition, windows, palettes, objects, end.
void checkOrder(Checker& c, const std::vector<Segment>& set)
{
    static const std::map<std::uint8_t, int> rank{
        {kPcs, 0}, {kWds, 1}, {kPds, 2}, {kOds, 3}, {kEnd, 4}};
    int last = -1, windows = 0;
    for (std::size_t i = 0; i < set.size(); ++i) {
        const auto r = rank.find(set[i].type);
        if (r == rank.end()) {
            c.fault("unknown segment type " + std::to_string(set[i].type));
            continue;
        }
        if (r->second < last || (r->second == 0 && i > 0))
            c.fault("segments out of order");
        last = r->second;
        windows += set[i].type == kWds;
    }
    if (set.back().type != kEnd)
        c.fault("no end segment");
    if (windows > 1)
        c.fault("two window segments");
}

// The times: every segment decoded at or before it is presented, decoding never going back,
// nothing decoded before the set before is shown, and time enough for the work.
void checkTimes(Checker& c, const std::vector<Segment>& set, std::int64_t work)
{
    const Segment& pcs = set.front();
    for (const Segment& s : set) {
        if (s.dts > s.pts)
            c.fault("a segment is decoded after it is presented");
        if (s.dts < c.lastDts)
            c.fault("decoding time goes backwards");
        if (s.type != kPcs && s.pts > pcs.pts)
            c.fault("a segment is presented after its composition");
        c.lastDts = s.dts;
    }
    if (c.lastShown >= 0 && pcs.pts <= c.lastShown)
        c.fault("shown at or before the set before it");
    if (c.lastShown >= 0 && pcs.dts < c.lastShown)
        c.fault("decoded before the set before it is shown");
    if (std::int64_t(pcs.pts) - pcs.dts < work)
        c.fault("has " + std::to_string(std::int64_t(pcs.pts) - pcs.dts) + " ticks to decode, " +
                "needs " + std::to_string(work));
    c.lastShown = pcs.pts;
}

void checkSet(Checker& c, const std::vector<Segment>& set)
{
    checkOrder(c, set);
    const Bytes& d = set.front().data;
    if (d.size() < 11 || d.size() < 11 + 8 * std::size_t(d[10]))
        return c.fault("composition segment too short");
    const int w = int(u16(d, 0)), h = int(u16(d, 2)), rate = d[4], number = int(u16(d, 5));
    const int state = d[7], paletteId = d[9];
    if (c.width < 0)
        c.width = w, c.height = h, c.rate = rate;
    if (w != c.width || h != c.height || rate != c.rate)
        c.fault("the frame size or rate changes");
    static const std::set<int> rates{0x10, 0x20, 0x30, 0x40, 0x60, 0x70};
    if (!rates.count(rate))
        c.fault("frame rate code " + std::to_string(rate));
    if (c.number >= 0 && number != ((c.number + 1) & 0xFFFF))
        c.fault("composition number " + std::to_string(number) + " after " +
                std::to_string(c.number));
    c.number = number;
    if (state != kEpochStartState && state != kAcquisitionState && state != kNormalState)
        c.fault("composition state " + std::to_string(state));
    if (d[10] > 2)
        c.fault("more than two objects");
    const bool epochStart = state == kEpochStartState;
    if (!c.started && !epochStart)
        c.fault("the stream does not open with an epoch start");
    c.started = true;
    if (epochStart)
        c.epoch = Epoch{};
    c.epoch.coded = 0;
    bool windows = false;
    for (const Segment& s : set) {
        if (s.type == kWds)
            checkWindows(c, s, epochStart), windows = true;
        if (s.type == kPds)
            checkPalette(c, s);
    }
    if (epochStart && !windows)
        c.fault("an epoch starts without windows");
    std::int64_t work = checkObjects(c, set, set.front().pts);
    std::int64_t area = 0;
    for (const auto& [id, r] : c.epoch.windows)
        area += std::int64_t(r.w) * r.h;
    work += epochStart ? clearTime(std::int64_t(w) * h) : clearTime(area);
    checkComposition(c, d, paletteId);
    std::size_t decoded = 0;
    for (const auto& [id, o] : c.epoch.objects)
        decoded += std::size_t(o.w) * std::size_t(o.h);
    if (c.epoch.coded > kCodedBuffer || decoded > kDecodedBuffer)
        c.fault("the epoch's objects overflow the decoder's buffers");
    checkTimes(c, set, work);
}

} // namespace

std::vector<std::string> PgsStreamFaults(const std::vector<std::uint8_t>& stream)
{
    Checker c;
    const std::vector<Segment> segments = segmentsOf(stream, c);
    if (segments.empty() && c.faults.empty())
        c.fault("the stream is empty");
    std::vector<Segment> set;
    for (const Segment& s : segments) {
        if (s.type == kPcs && !set.empty()) {
            c.fault("no end segment before the next composition");
            set.clear();
            ++c.set;
        }
        if (set.empty() && s.type != kPcs) {
            c.fault("a segment outside a display set");
            continue;
        }
        set.push_back(s);
        if (s.type == kEnd) {
            checkSet(c, set);
            set.clear();
            ++c.set;
        }
    }
    if (!set.empty())
        c.fault("the last display set has no end");
    return c.faults;
}

std::vector<std::string> PgsFileFaults(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {"cannot read " + path};
    const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return PgsStreamFaults(bytes);
}

std::string FaultText(const std::vector<std::string>& faults)
{
    std::ostringstream out;
    for (const std::string& f : faults)
        out << f << '\n';
    return out.str();
}

} // namespace lumelle::testing
