#include "subtitle/TtmlDocument.h"

#include "subtitle/StyledLines.h"
#include "subtitle/TtmlStyles.h"
#include "subtitle/TtmlTimes.h"

#include <QXmlStreamReader>
#include <map>
#include <optional>

namespace lumelle {

namespace {

constexpr char kXmlNamespace[] = "XML/1998/namespace";
constexpr char kParameterNamespace[] = "#parameter";
// References to styles may chain; a longer chain than this is a loop.
constexpr int kDeepestStyleChain = 16;
// Divisions and spans are read by recursion; deeper nesting than this is no subtitle file and
// is passed over rather than run the stack out.
constexpr int kDeepestNesting = 64;

// The attribute `local` of a namespace whose name holds `inNamespace` (none: no namespace).
QString attributeOf(const QXmlStreamAttributes& attributes, const char* local,
                    const char* inNamespace = nullptr)
{
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString ns = attribute.namespaceUri().toString();
        if (attribute.name() == QLatin1String(local) &&
            (inNamespace ? ns.contains(QLatin1String(inNamespace)) : ns.isEmpty()))
            return attribute.value().toString();
    }
    return QString();
}

QString idOf(const QXmlStreamAttributes& attributes)
{
    const QString id = attributeOf(attributes, "id", kXmlNamespace);
    return id.isEmpty() ? attributeOf(attributes, "id") : id;
}

// A style or region as the head defines it: its own properties and the styles it names.
struct Defined
{
    TtmlStyle own;
    QStringList references;
    TtmlStyle nested; // the <style> elements inside a region
};

// What an element hands down to what it holds.
struct Scope
{
    std::int64_t beginMs = 0;
    std::optional<std::int64_t> endMs;
    TtmlStyle style;
    QString region;
    bool keepBlanks = false; // xml:space="preserve"
};

class DocumentReader
{
public:
    explicit DocumentReader(const QString& text) : m_xml(text) {}
    TtmlContent read();

private:
    void readRoot();
    void readHead();
    void readDefinitions(const QString& element, std::map<QString, Defined>& into);
    void readContainer(const Scope& outer);
    void readParagraph(const Scope& outer);
    void readInline(const Scope& scope, StyledLines& lines);
    bool enter(const Scope& outer, Scope& inner, QString& problem);
    TtmlStyle resolved(const QStringList& references, int depth = 0) const;
    TtmlStyle regionStyle(const QString& id) const;
    void note(const QString& sentence);
    // One level further into divisions or spans; false, after noting it, past the deepest.
    bool deeper();

    QXmlStreamReader m_xml;
    TtmlContent m_out;
    TtmlClock m_clock;
    TtmlFrame m_frame;
    std::map<QString, Defined> m_styles;
    std::map<QString, Defined> m_regions;
    QStringList m_unused;
    int m_ordinal = 0;
    int m_depth = 0; // of the division or span being read
};

bool DocumentReader::deeper()
{
    if (m_depth >= kDeepestNesting) {
        note(QStringLiteral("Its elements nested deeper than %1 levels are left out.")
                 .arg(kDeepestNesting));
        return false;
    }
    ++m_depth;
    return true;
}

void DocumentReader::note(const QString& sentence)
{
    if (!m_out.notes.contains(sentence))
        m_out.notes << sentence;
}

TtmlStyle DocumentReader::resolved(const QStringList& references, int depth) const
{
    TtmlStyle style;
    if (depth > kDeepestStyleChain)
        return style;
    for (const QString& id : references) {
        const auto found = m_styles.find(id);
        if (found == m_styles.end())
            continue;
        style.overlay(resolved(found->second.references, depth + 1));
        style.overlay(found->second.own);
    }
    return style;
}

TtmlStyle DocumentReader::regionStyle(const QString& id) const
{
    const auto found = m_regions.find(id);
    if (found == m_regions.end())
        return TtmlStyle{};
    TtmlStyle style = resolved(found->second.references);
    style.overlay(found->second.nested);
    style.overlay(found->second.own);
    return style;
}

void DocumentReader::readRoot()
{
    const QXmlStreamAttributes a = m_xml.attributes();
    bool unread = false;
    m_clock = TtmlClock::of(attributeOf(a, "frameRate", kParameterNamespace),
                            attributeOf(a, "frameRateMultiplier", kParameterNamespace),
                            attributeOf(a, "subFrameRate", kParameterNamespace),
                            attributeOf(a, "tickRate", kParameterNamespace), unread);
    if (unread)
        note(QStringLiteral("Its frame or tick rate could not be read; the rates TTML assumes "
                            "are used."));
    const QString base = attributeOf(a, "timeBase", kParameterNamespace);
    if (!base.isEmpty() && base != QLatin1String("media"))
        note(QStringLiteral("Its times are read as media times (from the start of the video), "
                            "not as its %1 time base.")
                 .arg(base));
    const QStringList cells =
        attributeOf(a, "cellResolution", kParameterNamespace).split(u' ', Qt::SkipEmptyParts);
    if (cells.size() == 2 && cells[1].toDouble() > 0)
        m_frame.rows = cells[1].toDouble();
    const QStringList extent = attributeOf(a, "extent", "#styling").split(u' ', Qt::SkipEmptyParts);
    if (extent.size() == 2 && extent[1].endsWith(QLatin1String("px")))
        m_frame.height = extent[1].chopped(2).toDouble();
    const QString language = attributeOf(a, "lang", kXmlNamespace).section(u'-', 0, 0);
    if (language.size() >= 2 && language.size() <= 3)
        m_out.language = language.toLower().toStdString();
}

void DocumentReader::readDefinitions(const QString& element, std::map<QString, Defined>& into)
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() != element) {
            m_xml.skipCurrentElement();
            continue;
        }
        Defined& defined = into[idOf(m_xml.attributes())];
        ReadStyleAttributes(m_xml.attributes(), defined.own, m_unused);
        defined.references =
            attributeOf(m_xml.attributes(), "style").split(u' ', Qt::SkipEmptyParts);
        // A region may hold <style> elements of its own.
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("style")) {
                TtmlStyle nested;
                ReadStyleAttributes(m_xml.attributes(), nested, m_unused);
                defined.nested.overlay(nested);
            }
            m_xml.skipCurrentElement();
        }
    }
}

void DocumentReader::readHead()
{
    while (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("styling"))
            readDefinitions(QStringLiteral("style"), m_styles);
        else if (m_xml.name() == QLatin1String("layout"))
            readDefinitions(QStringLiteral("region"), m_regions);
        else
            m_xml.skipCurrentElement();
    }
}

// Times, styles and region of the element just started, within `outer`. False, with the
// reason in `problem`, when a time cannot be read.
bool DocumentReader::enter(const Scope& outer, Scope& inner, QString& problem)
{
    const QXmlStreamAttributes a = m_xml.attributes();
    inner = outer;
    std::optional<std::int64_t> times[3];
    const char* const names[3] = {"begin", "end", "dur"};
    for (int i = 0; i < 3; ++i) {
        const QString value = attributeOf(a, names[i]);
        if (value.isEmpty())
            continue;
        times[i] = TtmlMillis(value, m_clock);
        if (!times[i]) {
            problem = QStringLiteral("%1=\"%2\" is no TTML time")
                          .arg(QLatin1String(names[i]), value.left(40));
            return false;
        }
    }
    inner.beginMs = outer.beginMs + times[0].value_or(0);
    if (times[1])
        inner.endMs = outer.beginMs + *times[1];
    else if (times[2])
        inner.endMs = inner.beginMs + *times[2];
    if (outer.endMs && inner.endMs)
        inner.endMs = std::min(*inner.endMs, *outer.endMs);
    if (attributeOf(a, "timeContainer") == QLatin1String("seq"))
        note(QStringLiteral("Its sequential time containers (timeContainer=\"seq\") are read as "
                            "parallel ones: each element's times count from its parent's start."));
    inner.style.overlay(resolved(attributeOf(a, "style").split(u' ', Qt::SkipEmptyParts)));
    TtmlStyle inlineStyle;
    ReadStyleAttributes(a, inlineStyle, m_unused);
    inner.style.overlay(inlineStyle);
    if (const QString region = attributeOf(a, "region"); !region.isEmpty())
        inner.region = region;
    if (const QString space = attributeOf(a, "space", kXmlNamespace); !space.isEmpty())
        inner.keepBlanks = space == QLatin1String("preserve");
    return true;
}

void DocumentReader::readContainer(const Scope& outer)
{
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == QLatin1String("p")) {
            readParagraph(outer);
            continue;
        }
        if (name != QLatin1String("div")) {
            m_xml.skipCurrentElement();
            continue;
        }
        if (!attributeOf(m_xml.attributes(), "backgroundImage", "smpte").isEmpty())
            note(QStringLiteral("It holds image subtitles (smpte:backgroundImage); only its text "
                                "is read."));
        Scope inner;
        QString problem;
        if (!enter(outer, inner, problem)) {
            m_out.paragraphs.push_back({int(m_xml.lineNumber()),
                                        QStringLiteral("div"),
                                        0,
                                        0,
                                        {},
                                        problem + QStringLiteral("; its paragraphs are left out")});
            m_xml.skipCurrentElement();
            continue;
        }
        if (!deeper()) {
            m_xml.skipCurrentElement();
            continue;
        }
        readContainer(inner);
        --m_depth;
    }
}

// The text of the element just started, up to its end: its spans styled, <br> a new line.
void DocumentReader::readInline(const Scope& scope, StyledLines& lines)
{
    while (!m_xml.atEnd()) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::Characters:
            lines.append(m_xml.text().toString().toStdString(), scope.style.textStyle(),
                         scope.keepBlanks);
            break;
        case QXmlStreamReader::EntityReference:
            // Without a document type only the five XML entities are known; the HTML space
            // is written as the character it stands for, other names as they stand.
            lines.append(m_xml.name() == QLatin1String("nbsp")
                             ? std::string("\xC2\xA0")
                             : "&" + m_xml.name().toString().toStdString() + ";",
                         scope.style.textStyle(), true);
            break;
        case QXmlStreamReader::StartElement:
            if (m_xml.name() == QLatin1String("br")) {
                lines.newLine();
                m_xml.skipCurrentElement();
            } else if (m_xml.name() == QLatin1String("span")) {
                const QXmlStreamAttributes a = m_xml.attributes();
                if (!attributeOf(a, "begin").isEmpty() || !attributeOf(a, "end").isEmpty() ||
                    !attributeOf(a, "dur").isEmpty())
                    note(QStringLiteral("The times of its spans are not used: each paragraph is "
                                        "shown whole for its own time."));
                Scope inner = scope;
                inner.style.overlay(
                    resolved(attributeOf(a, "style").split(u' ', Qt::SkipEmptyParts)));
                TtmlStyle inlineStyle;
                ReadStyleAttributes(a, inlineStyle, m_unused);
                inner.style.overlay(inlineStyle);
                if (const QString space = attributeOf(a, "space", kXmlNamespace); !space.isEmpty())
                    inner.keepBlanks = space == QLatin1String("preserve");
                if (deeper()) {
                    readInline(inner, lines);
                    --m_depth;
                } else {
                    m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement(); // metadata and animation are not drawn
            }
            break;
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::Invalid:
            return;
        default:
            break;
        }
    }
}

void DocumentReader::readParagraph(const Scope& outer)
{
    TtmlParagraph paragraph;
    paragraph.lineNumber = int(m_xml.lineNumber());
    const QString id = idOf(m_xml.attributes());
    paragraph.name = id.isEmpty() ? QString::number(m_ordinal + 1) : id;
    ++m_ordinal;
    Scope scope;
    if (!enter(outer, scope, paragraph.problem)) {
        m_xml.skipCurrentElement();
        m_out.paragraphs.push_back(std::move(paragraph));
        return;
    }
    // The region's styles come under those of the paragraph and what holds it.
    TtmlStyle style = regionStyle(scope.region);
    style.overlay(scope.style);
    scope.style = style;
    StyledLines lines;
    readInline(scope, lines);
    // A paragraph cut off by malformed XML is not shown half read.
    if (m_xml.hasError())
        return;
    paragraph.startMs = scope.beginMs;
    if (!scope.endMs)
        paragraph.problem = QStringLiteral("has no end (neither it nor what holds it gives an "
                                           "end or a dur)");
    paragraph.endMs = scope.endMs.value_or(scope.beginMs);
    paragraph.text = lines.take(TtmlPlace(style, m_frame));
    m_out.paragraphs.push_back(std::move(paragraph));
}

TtmlContent DocumentReader::read()
{
    bool inRoot = false;
    while (!m_xml.atEnd()) {
        const QXmlStreamReader::TokenType token = m_xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            m_out.stopLine = int(m_xml.lineNumber());
            m_out.stopReason = QStringLiteral("the file declares a document type (<!DOCTYPE>); "
                                              "TTML needs none, and its entities are not read");
            return m_out;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (!inRoot) {
            inRoot = true;
            readRoot();
        } else if (m_xml.name() == QLatin1String("head")) {
            readHead();
        } else if (m_xml.name() == QLatin1String("body")) {
            Scope root;
            QString problem;
            if (enter(Scope{}, root, problem))
                readContainer(root);
            else
                m_out.paragraphs.push_back(
                    {int(m_xml.lineNumber()), QStringLiteral("body"), 0, 0, {}, problem});
        } else {
            m_xml.skipCurrentElement();
        }
    }
    if (m_xml.hasError()) {
        m_out.stopLine = int(m_xml.lineNumber());
        m_out.stopReason = QStringLiteral("XML error: %1; the rest of the file is not read")
                               .arg(m_xml.errorString());
    }
    if (!m_unused.isEmpty())
        m_out.notes << QStringLiteral("Its %1 styles are not used: its subtitles are drawn in the "
                                      "chosen font and size.")
                           .arg(m_unused.join(QStringLiteral(", ")));
    return m_out;
}

} // namespace

TtmlContent ReadTtmlDocument(const QString& text)
{
    return DocumentReader(text).read();
}

} // namespace lumelle
