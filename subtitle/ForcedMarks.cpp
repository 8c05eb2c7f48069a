#include "subtitle/ForcedMarks.h"

#include <QStringList>

#include <algorithm>

namespace lumelle {

bool StyleNameMarksForced(const QString& styleName)
{
    QString word;
    const auto marks = [&word] {
        const QString w = word.toLower();
        word.clear();
        return w == QLatin1String("forced") || w == QLatin1String("sign") ||
               w == QLatin1String("signs");
    };
    for (qsizetype i = 0; i < styleName.size(); ++i) {
        const QChar c = styleName[i];
        const bool newWord = !c.isLetter() || (c.isUpper() && i > 0 && styleName[i - 1].isLower());
        if (newWord && marks())
            return true;
        if (c.isLetter())
            word += c;
    }
    return marks();
}

StreamFileName ReadStreamFileName(const QString& fileName)
{
    QStringList parts = fileName.split(QLatin1Char('.'));
    StreamFileName name;
    if (parts.size() > 1)
        parts.removeLast(); // the extension
    if (parts.size() > 1 &&
        parts.last().compare(QLatin1String("forced"), Qt::CaseInsensitive) == 0) {
        name.forced = true;
        parts.removeLast();
    }
    // A language part is two or three letters between dots.
    const QString& last = parts.last();
    if (parts.size() > 1 && (last.size() == 2 || last.size() == 3) &&
        std::all_of(last.begin(), last.end(),
                    [](QChar c) { return c.isLetter() && c.unicode() < 128; })) {
        name.language = last;
        parts.removeLast();
    }
    name.stem = parts.join(QLatin1Char('.'));
    return name;
}

} // namespace lumelle
