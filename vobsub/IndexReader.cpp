#include "vobsub/IndexReader.h"

#include <QRegularExpression>
#include <QStringList>

namespace lumelle {

namespace {

constexpr long long kTicksPerMilli = 90;
constexpr long long kLongestMillis = 1'000'000'000'000;

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

    IndexContents m_out;
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
        if (l.isEmpty() || l.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = l.indexOf(QLatin1Char(':'));
        if (colon <= 0) {
            problem(QStringLiteral("%1 is not read: %2").arg(here(), l.left(40)));
            continue;
        }
        line(l.left(colon).trimmed().toLower(), l.mid(colon + 1).trimmed());
    }
    return std::move(m_out);
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
