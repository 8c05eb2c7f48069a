#include "ass/AssScript.h"

#include "ass/AssEventSize.h"
#include "platform/Error.h"
#include "subtitle/AssText.h"
#include "subtitle/FileReading.h"
#include "subtitle/LineReader.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <utility>

namespace lumelle {

namespace {

// A "Dialogue:" line of every field `format` names, with no text and no length.
std::string placeholderEvent(const std::vector<std::string>& format)
{
    std::string line = "Dialogue: ";
    for (std::size_t i = 0; i < format.size(); ++i) {
        const std::string& field = format[i];
        line += i > 0 ? "," : "";
        line += field == "start" || field == "end" ? "0:00:00.00" : field == "text" ? "" : "0";
    }
    return line;
}

} // namespace

AssScript AssScriptOfData(const QByteArray& data, quint8 charset, const std::string& languageHint)
{
    PreparedText prepared = PrepareText(data, languageHint);
    AssScript script;
    script.encoding = prepared.encoding;
    const TextDecoder decoder(charset, prepared.encoding);
    LineReader reader(prepared.text);
    script.text.reserve(prepared.text.size() + prepared.text.size() / 8);
    AssEventLines lines;
    while (!reader.atEnd()) {
        std::string line = decoder.utf8(reader.readLine());
        // libass reads a script up to its first NUL byte; the list reads on past one.
        std::erase(line, '\0');
        const AssEventLines::Kind kind = lines.take(line);
        if (kind == AssEventLines::Kind::Event) {
            AssEvent event;
            const bool shown = ReadAssEvent(Trimmed(line), lines.format(), event).isEmpty();
            script.events.push_back({shown, event.startMs, event.endMs});
            // libass leaves out a line it cannot read, which would part its events from the
            // list's: a skipped event goes to it as a blank one of full fields, never shown.
            script.text += shown ? "Dialogue:" + line.substr(line.find(':') + 1)
                                 : placeholderEvent(lines.format());
        } else if (kind == AssEventLines::Kind::Format) {
            // libass takes "Format:" and "Dialogue:" by their exact spelling only; the list
            // takes them in any case, and both are to read the same events.
            script.text += "Format:" + line.substr(line.find(':') + 1);
        } else {
            script.text += line;
        }
        script.text += '\n';
    }
    return script;
}

AssScript ReadAssScript(const QString& fileName, quint8 charset, const std::string& languageHint)
{
    return AssScriptOfData(ReadSubtitleFile(fileName), charset, languageHint);
}

void AssRendering::message(int level, const char* format, va_list args, void* self)
{
    // Level 4 and below are what libass says to a user; its font choices come at 4 as well.
    if (level > 4)
        return;
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    const QString line = QString::fromUtf8(text);
    if (line.startsWith(QLatin1String("fontselect:")) || line.contains(QLatin1String("Glyph 0x")))
        static_cast<AssRendering*>(self)->m_fontMessages << line;
}

AssRendering::AssRendering(const AssScript& script, QSize frame) : m_frame(frame)
{
    m_library = ass_library_init();
    if (!m_library)
        throw Error(QStringLiteral("libass could not be started"));
    ass_set_message_cb(m_library, &AssRendering::message, this);
    ass_set_extract_fonts(m_library, 1);
    m_renderer = ass_renderer_init(m_library);
    if (!m_renderer) {
        ass_library_done(m_library);
        throw Error(QStringLiteral("libass could not be started"));
    }
    ass_set_frame_size(m_renderer, frame.width(), frame.height());
    ass_set_storage_size(m_renderer, frame.width(), frame.height());
    ass_set_fonts(m_renderer, nullptr, "sans-serif", ASS_FONTPROVIDER_AUTODETECT, nullptr, 1);
    std::string text = script.text; // libass may write into the buffer it parses
    m_track = ass_read_memory(m_library, text.data(), text.size(), nullptr);
    if (!m_track) {
        // libass takes a script for ASS or SSA only by its ScriptType or a styles section; one
        // with neither is read as ASS, as other players do.
        text = script.text;
        const std::size_t info = text.find(']');
        text.insert(info == std::string::npos ? 0 : info + 1, "\nScriptType: v4.00+\n");
        m_track = ass_read_memory(m_library, text.data(), text.size(), nullptr);
    }
    if (!m_track) {
        ass_renderer_done(m_renderer);
        ass_library_done(m_library);
        throw Error(QStringLiteral("libass could not read the script"));
    }
    takeListTimes(script.events);
    leaveOutTooLarge();
}

void AssRendering::takeListTimes(const std::vector<AssScript::EventTimes>& events)
{
    // libass holds one event for each "Dialogue:" line of the events, in order, as the list
    // does; one past the list's (never expected) is not drawn.
    for (int i = 0; i < m_track->n_events; ++i) {
        ASS_Event& event = m_track->events[i];
        const std::size_t at = std::size_t(i);
        if (at < events.size() && events[at].shown) {
            event.Start = events[at].startMs;
            event.Duration = events[at].endMs - events[at].startMs;
        } else {
            event.Duration = 0;
        }
    }
}

void AssRendering::leaveOutTooLarge()
{
    // Bounded caches: each thread holds a rendering, and libass's own limits are far above
    // what pictures of one frame need.
    ass_set_cache_limits(m_renderer, kGlyphCacheEntries, kBitmapCacheMegabytes);
    for (int i = 0; i < m_track->n_events; ++i) {
        ASS_Event& event = m_track->events[i];
        if (event.Duration <= 0)
            continue;
        if (QString why = AssEventTooLarge(*m_track, event, m_frame); !why.isEmpty()) {
            m_tooLarge.push_back({i + 1, std::move(why)});
            event.Duration = 0; // never shown, so never drawn
        }
    }
}

AssRendering::~AssRendering()
{
    ass_free_track(m_track);
    ass_renderer_done(m_renderer);
    ass_library_done(m_library);
}

ASS_Image* AssRendering::render(long long ms, int* changed)
{
    return ass_render_frame(m_renderer, m_track, ms, changed);
}

QStringList AssRendering::takeFontMessages()
{
    return std::exchange(m_fontMessages, {});
}

namespace {

// Lower-case letters and digits of `text` only: "Liberation Sans" and "LiberationSans-Bold"
// share their start "liberationsans".
QString letters(const QString& text)
{
    QString out;
    for (QChar c : text) {
        if (c.isLetterOrNumber())
            out += c.toLower();
    }
    return out;
}

} // namespace

QStringList FontReplacementNotes(const QStringList& fontMessages)
{
    QStringList notes;
    QStringList named;
    for (const QString& message : fontMessages) {
        // "fontselect: (Family, 400, 0) -> path, index, PostScriptName"
        const qsizetype open = message.indexOf(QLatin1Char('('));
        const qsizetype arrow = message.indexOf(QLatin1String(") -> "));
        if (message.startsWith(QLatin1String("fontselect: (")) && open >= 0 && arrow > open) {
            const QString asked =
                message.mid(open + 1, arrow - open - 1).section(QLatin1Char(','), 0, -3);
            const QString chosen =
                message.mid(arrow + 5).section(QLatin1String(", "), -1).trimmed();
            const QString askedLetters = letters(asked);
            if (askedLetters.isEmpty() || letters(chosen).startsWith(askedLetters) ||
                named.contains(asked, Qt::CaseInsensitive))
                continue;
            named << asked;
            notes << QStringLiteral("the font \"%1\" is not installed nor in the script; drawn "
                                    "with %2 instead.")
                         .arg(asked, chosen);
        } else if (message.contains(QLatin1String("failed to find any fallback with glyph"))) {
            const QString glyph =
                message.section(QLatin1String("glyph "), 1).section(QLatin1Char(' '), 0, 0);
            if (!named.contains(glyph)) {
                named << glyph;
                notes << QStringLiteral("no font can draw the character %1; it is left out.")
                             .arg(QStringLiteral("U+") +
                                  glyph.mid(2).toUpper().rightJustified(4, QLatin1Char('0')));
            }
        }
    }
    return notes;
}

ColorValue AssShownColour(std::uint32_t rgba, ASS_YCbCrMatrix matrix)
{
    const double r = double(rgba >> 24), g = double((rgba >> 16) & 0xFF),
                 b = double((rgba >> 8) & 0xFF);
    if (matrix != YCBCR_BT709_TV && matrix != YCBCR_BT709_PC)
        return makeColor(int(r), int(g), int(b));
    // Coded as BT.601 video, decoded as BT.709 video: what a viewer of the script saw.
    const double y = 0.299 * r + 0.587 * g + 0.114 * b;
    const double cb = (b - y) / 1.772, cr = (r - y) / 1.402;
    const double r2 = y + 1.5748 * cr, b2 = y + 1.8556 * cb;
    const double g2 = (y - 0.2126 * r2 - 0.0722 * b2) / 0.7152;
    const auto channel = [](double v) { return int(std::clamp(std::lround(v), 0L, 255L)); };
    return makeColor(channel(r2), channel(g2), channel(b2));
}

} // namespace lumelle
