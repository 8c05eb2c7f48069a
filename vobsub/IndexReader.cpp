#include "vobsub/IndexReader.h"

#include "vobsub/Palette.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>

namespace lumelle {

namespace {

constexpr long long kTicksPerMilli = 90;
constexpr long long kLongestMillis = 1'000'000'000'000;

// Our index writer's own comment above the custom colours (other programs write "Custom
// colours (transp ...)"): with the background blue in Y/Cr/Cb form in palette entry 3, it tells
// an index whose palette holds Y/Cr/Cb values instead of RGB ones.
constexpr char kOurCustomColoursComment[] = "# Custom colors(transp idxs and the four colors)";
constexpr int kBackgroundEntry = 3;

// The colour whose Y/Cr/Cb form is `value` ("YYCRCB" read as one number), or the nearest one
// when none is: the inverse of the writer's matrix gives a start, and the colours around it
// are tried against the writer's own conversion, so that what it wrote reads back exactly.
QRgb rgbOfYCrCb(QRgb value)
{
    const int y = qRed(value), cr = qGreen(value), cb = qBlue(value);
    // Y = 0.3 R + 0.5869 G + 0.11398 B; Cr - 128 = 0.5 R - 0.41868 G - 0.0813 B;
    // Cb - 128 = -0.16883 R - 0.33121 G + 0.5 B, solved for R, G and B.
    static const auto inverse = [] {
        const double m[3][3] = {
            {0.3, 0.5869, 0.11398}, {0.5, -0.41868, -0.0813}, {-0.16883, -0.33121, 0.5}};
        const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        std::array<std::array<double, 3>, 3> inv{};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                // The cofactor of m[c][r], for the transpose.
                const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
                inv[std::size_t(r)][std::size_t(c)] =
                    (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
            }
        return inv;
    }();
    const double v[3] = {y + 0.5, cr - 128 + 0.5, cb - 128 + 0.5}; // the middle of what truncates
    int start[3];
    for (int i = 0; i < 3; ++i) {
        const auto& row = inverse[std::size_t(i)];
        start[i] =
            std::clamp(int(std::lround(row[0] * v[0] + row[1] * v[1] + row[2] * v[2])), 0, 255);
    }
    // The nearest of the colours around the start: one that converts to `value` exactly, and
    // of several such the one a person picks (a grey, then full or no red, green and blue:
    // FF807F is white, not 255,255,254), then the one nearest the start.
    const YCrCb wanted{y, cr, cb};
    long long best = -1;
    QRgb found = qRgb(start[0], start[1], start[2]);
    for (int dr = -3; dr <= 3; ++dr)
        for (int dg = -3; dg <= 3; ++dg)
            for (int db = -3; db <= 3; ++db) {
                const int r = start[0] + dr, g = start[1] + dg, b = start[2] + db;
                if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
                    continue;
                const YCrCb got = ToYCrCb(makeColor(r, g, b));
                const int off = std::abs(got.y - wanted.y) + std::abs(got.cr - wanted.cr) +
                                std::abs(got.cb - wanted.cb);
                const auto pure = [](int c) { return c == 0 || c == 255 ? 0 : 1; };
                const int plain = (r == g && g == b ? 0 : 4) + pure(r) + pure(g) + pure(b);
                const long long distance = (off * 16LL + plain) * 64 + std::abs(dr) +
                                           std::abs(dg) + std::abs(db);
                if (best < 0 || distance < best) {
                    best = distance;
                    found = qRgb(r, g, b);
                }
            }
    return found;
}

QRgb rgbOfHex(const QString& hex, bool& ok)
{
    const uint value = hex.trimmed().toUInt(&ok, 16);
    ok = ok && hex.trimmed().size() == 6;
    return qRgb(int(value >> 16) & 0xFF, int(value >> 8) & 0xFF, int(value) & 0xFF);
}

// "[sign]hh:mm:ss:ms" (a delay) or "hh:mm:ss:mmm" (a timestamp) in milliseconds; a plain
// number of milliseconds too, as "time offset" may be given. False when it is neither.
bool millisOf(const QString& text, long long& ms)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*([+-]?)\\s*(\\d{1,6}):(\\d{1,2}):(\\d{1,2})[:.,](\\d{1,3})\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (m.hasMatch()) {
        ms = ((m.captured(2).toLongLong() * 60 + m.captured(3).toLongLong()) * 60 +
              m.captured(4).toLongLong()) *
                 1000 +
             m.captured(5).toLongLong();
        if (m.captured(1) == QLatin1String("-"))
            ms = -ms;
        return true;
    }
    bool ok = false;
    ms = text.trimmed().toLongLong(&ok);
    // Far past any film: damage, and kept from overflowing the ticks it is turned into.
    return ok && ms > -kLongestMillis && ms < kLongestMillis;
}

class IndexParser
{
public:
    IndexContents run(const QByteArray& text);

private:
    void line(const QString& key, const QString& value);
    void palette(const QString& value);
    void customColours(const QString& value);
    void stream(const QString& value);
    void timestamp(const QString& value);
    void problem(const QString& message)
    {
        m_out.problems.push_back({QString(), std::size_t(m_line), message});
    }
    QString here() const { return QStringLiteral("line %1").arg(m_line); }

    void readYCrCbPalette();

    IndexContents m_out;
    std::array<bool, 16> m_filler{}; // the entry is "000000", which the writer puts in unused ones
    bool m_ourComment = false;       // the custom colours' comment of our own writer was read
    int m_line = 0;
    long long m_offset = 0; // "time offset", for every stream
    long long m_delay = 0;  // the delays of the current stream so far
};

IndexContents IndexParser::run(const QByteArray& text)
{
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        ++m_line;
        const QString l = raw.trimmed();
        if (l == QLatin1String(kOurCustomColoursComment))
            m_ourComment = true;
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = l.indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            problem(QStringLiteral("%1 is not read: %2").arg(here(), l.left(40)));
            continue;
        }
        line(l.left(colon).trimmed().toLower(), l.mid(colon + 1).trimmed());
    }
    readYCrCbPalette();
    return std::move(m_out);
}

// Our writer's Y/Cr/Cb palettes (the "DVD only" and two-palettes modes) become RGB like every
// other palette: its background blue, 0000FF, is 1D6BFF in that form.
void IndexParser::readYCrCbPalette()
{
    const QRgb ourBlue = qRgb(0x1D, 0x6B, 0xFF);
    if (!m_out.palette || !m_ourComment || m_out.colours.palette[kBackgroundEntry] != ourBlue)
        return;
    for (std::size_t i = 0; i < m_out.colours.palette.size(); ++i)
        if (!m_filler[i])
            m_out.colours.palette[i] = rgbOfYCrCb(m_out.colours.palette[i]);
    m_out.yCrCbPalette = true;
}

void IndexParser::line(const QString& key, const QString& value)
{
    if (key == QLatin1String("size")) {
        const QStringList wh = value.split(QLatin1Char('x'));
        if (wh.size() == 2 && wh[0].toInt() > 0 && wh[1].toInt() > 0)
            m_out.frame = QSize(wh[0].toInt(), wh[1].toInt());
        else
            problem(QStringLiteral("%1: the size is not read: %2").arg(here(), value));
    } else if (key == QLatin1String("palette")) {
        palette(value);
    } else if (key == QLatin1String("custom colors")) {
        customColours(value);
    } else if (key == QLatin1String("langidx")) {
        m_out.languageIndex = value.toInt();
    } else if (key == QLatin1String("id")) {
        stream(value);
    } else if (key == QLatin1String("alt") && !m_out.streams.empty()) {
        m_out.streams.back().alt = value;
    } else if (key == QLatin1String("delay") || key == QLatin1String("time offset")) {
        long long ms = 0;
        if (!millisOf(value, ms))
            problem(QStringLiteral("%1: the %2 is not read: %3").arg(here(), key, value));
        else if (key == QLatin1String("delay"))
            m_delay += ms * kTicksPerMilli;
        else
            m_offset = ms * kTicksPerMilli;
    } else if (key == QLatin1String("timestamp")) {
        timestamp(value);
    }
    // Other settings (scale, alpha, smoothing, fades, alignment) are for players that show
    // the pair themselves; the pictures stay as the .sub holds them.
}

void IndexParser::palette(const QString& value)
{
    const QStringList entries = value.split(QLatin1Char(','));
    for (int i = 0; i < 16 && i < entries.size(); ++i) {
        bool ok = false;
        const QRgb rgb = rgbOfHex(entries[i], ok);
        if (!ok) {
            problem(QStringLiteral("%1: palette entry %2 is not a colour: %3")
                        .arg(here())
                        .arg(i)
                        .arg(entries[i].trimmed()));
            continue;
        }
        m_out.colours.palette[std::size_t(i)] = rgb;
        m_filler[std::size_t(i)] = entries[i].trimmed() == QLatin1String("000000");
    }
    if (entries.size() != 16)
        problem(QStringLiteral("%1: the palette has %2 entries, not 16")
                    .arg(here())
                    .arg(entries.size()));
    m_out.palette = true;
}

// "ON, tridx: 1000, colors: c0, c1, c2, c3": the colours of pixel values 0 to 3, those whose
// digit of tridx is 1 transparent.
void IndexParser::customColours(const QString& value)
{
    static const QRegularExpression form(
        QStringLiteral("^(ON|OFF)\\s*,\\s*tridx\\s*:\\s*([01]{4})\\s*,\\s*colors\\s*:\\s*(.*)$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(value);
    const QStringList colours =
        m.hasMatch() ? m.captured(3).split(QLatin1Char(',')) : QStringList();
    if (!m.hasMatch() || colours.size() != 4) {
        problem(QStringLiteral("%1: the custom colours are not read").arg(here()));
        return;
    }
    DvdRead& c = m_out.colours;
    bool all = true;
    for (std::size_t v = 0; v < 4; ++v) {
        bool ok = false;
        c.custom[v] = rgbOfHex(colours[qsizetype(v)], ok);
        all = all && ok;
        c.customTransparent[v] = m.captured(2)[qsizetype(v)] == QLatin1Char('1');
    }
    if (!all)
        problem(QStringLiteral("%1: a custom colour is not a colour").arg(here()));
    c.customColours = all && m.captured(1).compare(QLatin1String("ON"), Qt::CaseInsensitive) == 0;
}

// "en, index: 0": a stream begins; its delays start again from nothing.
void IndexParser::stream(const QString& value)
{
    static const QRegularExpression form(QStringLiteral("^([^,]*),\\s*index\\s*:\\s*(\\d+)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(value);
    const int index = m.hasMatch() ? m.captured(2).toInt() : -1;
    if (index < 0 || index > 31) {
        problem(QStringLiteral("%1: the stream is not read: %2").arg(here(), value));
        return;
    }
    m_out.streams.push_back({index, m.captured(1).trimmed().toLower(), QString(), {}});
    m_delay = 0;
}

// "hh:mm:ss:mmm, filepos: 000000000"
void IndexParser::timestamp(const QString& value)
{
    static const QRegularExpression form(
        QStringLiteral("^(.*),\\s*filepos\\s*:\\s*([0-9a-fA-F]+)\\s*$"));
    const QRegularExpressionMatch m = form.match(value);
    long long ms = 0;
    bool ok = m.hasMatch() && millisOf(m.captured(1), ms) && ms >= 0;
    const std::size_t filepos = ok ? std::size_t(m.captured(2).toULongLong(&ok, 16)) : 0;
    if (!ok) {
        problem(QStringLiteral("%1: the timestamp is not read: %2").arg(here(), value));
        return;
    }
    if (m_out.streams.empty()) // a pair that names no stream: stream 0
        m_out.streams.push_back({0, QString(), QString(), {}});
    const long long start = ms * kTicksPerMilli + m_delay + m_offset;
    if (start < 0) {
        problem(QStringLiteral("%1: the delays move this subtitle before the start: it starts at 0")
                    .arg(here()));
    }
    m_out.streams.back().entries.push_back({std::max(0LL, start), filepos, m_line});
}

} // namespace

bool LooksLikeVobSubIndex(const QByteArray& head)
{
    const QByteArray first = head.left(head.indexOf('\n')).toLower();
    return first.contains("vobsub index file");
}

IndexContents ReadIndexText(const QByteArray& text)
{
    return IndexParser().run(text);
}

} // namespace lumelle
