// Texts that go into a line of an output file (a stream's name in an index, an attribute of
// an XML index): a control character in them would end the line early or start a forged one,
// so such a text is refused before anything is written.
#pragma once

#include <QString>
#include <string>

namespace lumelle {

// True when `text` holds a control character (U+0000 to U+001F, U+007F to U+009F), tab and
// line breaks included.
inline bool HoldsControlCharacter(const QString& text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

inline bool HoldsControlCharacter(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return true;
    return false;
}

// `text` for a message: each control character shown as \n, \r, \t or \xHH, so that the
// message stays on its line and says what was refused.
inline QString ReadableText(const QString& text)
{
    QString shown;
    for (const QChar c : text) {
        if (c == u'\n')
            shown += QLatin1String("\\n");
        else if (c == u'\r')
            shown += QLatin1String("\\r");
        else if (c == u'\t')
            shown += QLatin1String("\\t");
        else if (c.category() == QChar::Other_Control)
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace lumelle
