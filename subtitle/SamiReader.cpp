// The SAMI reader: the paragraphs of one language class, each shown from its <SYNC> to the next
// <SYNC> of that class; a paragraph of nothing but a non-breaking space clears the screen.
#include "subtitle/EntryTimes.h"
#include "subtitle/Markup.h"
#include "subtitle/SamiDocument.h"
#include "subtitle/Subtitle.h"

#include <QStringList>
#include <algorithm>

namespace lumelle {

namespace {

// How long the last paragraph of a class is shown when no <SYNC> follows it.
constexpr std::int64_t kLastShownMs = 5000;

// A paragraph with no more than blanks and non-breaking spaces once its markup is gone.
bool clearsScreen(const MarkedText& text)
{
    for (const std::string& line : text.lines) {
        std::string rest = line;
        for (std::size_t at = rest.find("\xC2\xA0"); at != std::string::npos;
             at = rest.find("\xC2\xA0"))
            rest.erase(at, 2);
        if (rest.find_first_not_of(" \t") != std::string::npos)
            return false;
    }
    return true;
}

MarkedText markedOf(const SamiParagraph& paragraph)
{
    MarkedText marked;
    TextStyle style; // a tag left open does not run into the next paragraph
    for (const std::string& line : paragraph.lines)
        AppendMarkedLine(line, false, style, marked);
    return marked;
}

// The classes that hold text, in the order of the style block, then those only the
// paragraphs name.
std::vector<TSubtitle::LanguageClass> classesWithText(const SamiContent& content)
{
    std::vector<TSubtitle::LanguageClass> classes;
    const auto add = [&classes](const std::string& name, const std::string& language) {
        for (const auto& known : classes) {
            if (SameClassName(known.name, name))
                return;
        }
        classes.push_back({name, language});
    };
    std::vector<std::string> used;
    for (const SamiParagraph& paragraph : content.paragraphs) {
        if (!clearsScreen(markedOf(paragraph)))
            used.push_back(paragraph.className);
    }
    const auto isUsed = [&used](const std::string& name) {
        return std::any_of(used.begin(), used.end(),
                           [&name](const std::string& u) { return SameClassName(u, name); });
    };
    for (const SamiClass& defined : content.classes) {
        if (isUsed(defined.name))
            add(defined.name, defined.language);
    }
    for (const std::string& name : used)
        add(name, {});
    return classes;
}

} // namespace

void TSubtitle::readSami(const std::string& data, FrameRate rate, std::int64_t frameOffset,
                         const TextDecoder& decoder)
{
    const SamiContent content = ReadSamiDocument(decoder.utf8(data));
    for (const auto& [lineNumber, reason] : content.unread)
        skip(lineNumber, QString::fromStdString(reason));
    m_languageClasses = classesWithText(content);
    std::string chosen = m_languageClass;
    if (chosen.empty() && !m_languageClasses.empty())
        chosen = m_languageClasses.front().name;
    for (const LanguageClass& c : m_languageClasses) {
        if (SameClassName(c.name, chosen))
            m_declaredLanguage = c.language;
    }
    // Each paragraph of the class lasts up to the next <SYNC> that gives the class new text.
    std::vector<const SamiParagraph*> ofClass;
    for (const SamiParagraph& paragraph : content.paragraphs) {
        if (SameClassName(paragraph.className, chosen))
            ofClass.push_back(&paragraph);
    }
    EntriesWithOpenEnds entries(m_lines, rate);
    for (std::size_t i = 0; i < ofClass.size(); ++i) {
        const SamiParagraph& paragraph = *ofClass[i];
        MarkedText marked = markedOf(paragraph);
        if (clearsScreen(marked))
            continue;
        const QString name = QString::number(i + 1);
        std::int64_t endMs = paragraph.startMs + kLastShownMs;
        if (i + 1 < ofClass.size())
            endMs = ofClass[i + 1]->startMs;
        else
            noteChanged(
                paragraph.lineNumber,
                QStringLiteral("subtitle %1: no <SYNC> after it ends it; shown for 5 s").arg(name));
        addMarkedEntry({paragraph.lineNumber, name, paragraph.startMs, endMs}, std::move(marked),
                       rate, frameOffset, entries);
    }
    entries.finish();
    if (m_languageClasses.size() > 1) {
        QStringList named;
        for (const LanguageClass& c : m_languageClasses)
            named << (c.language.empty()
                          ? QString::fromStdString(c.name)
                          : QStringLiteral("%1 (%2)").arg(QString::fromStdString(c.name),
                                                          QString::fromStdString(c.language)));
        m_readNotes << QStringLiteral("It holds the language classes %1; these subtitles are "
                                      "those of %2.")
                           .arg(named.join(QStringLiteral(", ")), QString::fromStdString(chosen));
    }
}

} // namespace lumelle
