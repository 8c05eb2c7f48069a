#include "subtitle/LineForms.h"

#include "subtitle/LineReader.h"

#include <QRegularExpression>
#include <QString>

namespace lumelle {

namespace {

const std::string* firstFilledLine(const std::vector<std::string>& head)
{
    for (const std::string& line : head) {
        if (!IsBlankLine(line))
            return &line;
    }
    return nullptr;
}

} // namespace

bool SplitMpl2Line(const std::string& line, Mpl2Line& out)
{
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[')
        return false;
    const std::size_t close = line.find(']', open + 1);
    if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != '[')
        return false;
    const std::size_t endClose = line.find(']', close + 2);
    if (endClose == std::string::npos)
        return false;
    out.start = line.substr(open + 1, close - open - 1);
    out.end = line.substr(close + 2, endClose - close - 2);
    out.text = line.substr(endClose + 1);
    return true;
}

bool LooksLikeMpl2(const std::vector<std::string>& head)
{
    static const QRegularExpression form(QStringLiteral("^\\s*\\[\\d+\\]\\[\\d*\\]"));
    const std::string* first = firstFilledLine(head);
    return first && form.match(QString::fromLatin1(*first)).hasMatch();
}

bool LooksLikeCommaTimeLine(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] < '0' || line[first] > '9')
        return false;
    const std::size_t comma = line.find(',', first);
    if (comma == std::string::npos || line.find(':', first) > comma ||
        Trimmed(line.substr(first, comma - first)).find_first_of(" \t") != std::string::npos)
        return false;
    const std::size_t second = line.find_first_not_of(" \t", comma + 1);
    return second != std::string::npos &&
           ((line[second] >= '0' && line[second] <= '9') || line[second] == '-');
}

FileKind SubViewerKindOf(const std::vector<std::string>& head)
{
    const std::string* first = firstFilledLine(head);
    if (first && Trimmed(*first) == "[INFORMATION]")
        return FileKind::SubViewer;
    static const QRegularExpression form(
        QStringLiteral("^\\s*\\d{1,2}:\\d\\d:\\d\\d\\.(\\d{2,3})\\s*,\\s*"
                       "\\d{1,2}:\\d\\d:\\d\\d\\.\\d{2,3}\\s*$"));
    for (const std::string& line : head) {
        const QRegularExpressionMatch match = form.match(QString::fromLatin1(line));
        if (match.hasMatch())
            return match.capturedLength(1) == 2 ? FileKind::SubViewer : FileKind::Sbv;
    }
    return FileKind::Unknown;
}

bool SplitCommaTimeLine(const std::string& line, std::string& start, std::string& end)
{
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos)
        return false;
    start = Trimmed(line.substr(0, comma));
    end = Trimmed(line.substr(comma + 1));
    return true;
}

} // namespace lumelle
