#include "subtitle/FileKind.h"

#include "platform/Error.h"
#include "platform/SystemNames.h"
#include "subtitle/DocumentForms.h"
#include "subtitle/FileReading.h"
#include "subtitle/LineForms.h"
#include "subtitle/LineReader.h"
#include "subtitle/Subtitle.h"
#include "subtitle/SubtitleKinds.h"
#include "subtitle/TextDecoding.h"

#include <QFile>
#include <algorithm>
#include <span>

namespace lumelle {

namespace {

std::vector<std::string> firstLinesOf(const std::string& text, int count)
{
    std::vector<std::string> lines;
    LineReader reader(text);
    for (int i = 0; i < count && !reader.atEnd(); ++i)
        lines.push_back(reader.readLine());
    return lines;
}

// The text at the top of a file, enough for its first `count` lines. A file that exists but
// cannot be opened ends the load with the system's error text.
std::string headOfFile(const QString& fileName, int count)
{
    QFile file;
    QString reason;
    if (!OpenNamed(file, fileName, QIODevice::ReadOnly, &reason))
        throw Error(reason);
    // A line can be long; read in blocks until enough line ends were seen. Only the new
    // block is searched each time, so a file that is one long line is read once.
    QByteArray head;
    qsizetype lineEnds = 0;
    while (!file.atEnd() && lineEnds < count && head.size() <= kMaxLineBytes) {
        QByteArray block = file.read(64 * 1024);
        if (block.isEmpty())
            break;
        lineEnds += block.count('\n') + block.count('\r');
        head += block;
    }
    if (file.error() != QFileDevice::NoError)
        throw Error(file.errorString());
    // Recognition needs the lines, not the code page: only a byte-order mark is read here.
    return PrepareMarkedText(head).text;
}

// The extension as the part of the name after the last separator, from its last "." on, its
// ASCII letters in upper case.
QString upperExtension(const QString& fileName)
{
    const QString base = fileName.mid(fileName.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    QString ext = base.mid(dot);
    for (QChar& c : ext) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return ext;
}

// True when `upperExt` (".SRT") is one of `extensions` ("srt").
bool isOneOf(const QString& upperExt, std::span<const char* const> extensions)
{
    return std::any_of(extensions.begin(), extensions.end(), [&upperExt](const char* e) {
        return upperExt == QLatin1Char('.') + QString::fromLatin1(e).toUpper();
    });
}

FileKind kindByExtension(const QString& fileName)
{
    const QString ext = upperExtension(fileName);
    if (isOneOf(ext, kSubRipExtensions))
        return FileKind::SubRip;
    if (isOneOf(ext, kMicroDvdExtensions))
        return FileKind::MicroDvd;
    if (isOneOf(ext, kWebVttExtensions))
        return FileKind::WebVtt;
    if (isOneOf(ext, kMpl2Extensions))
        return FileKind::Mpl2;
    if (isOneOf(ext, kSbvExtensions))
        return FileKind::Sbv;
    if (isOneOf(ext, kTtmlExtensions))
        return FileKind::Ttml;
    if (isOneOf(ext, kSamiExtensions))
        return FileKind::Sami;
    if (isOneOf(ext, kEbuStlExtensions))
        return FileKind::EbuStl;
    return FileKind::Unknown;
}

// A SubRip file has a time line among its first lines.
bool looksLikeSubRip(const std::vector<std::string>& lines)
{
    return std::any_of(lines.begin(), lines.end(), LooksLikeTimeLine);
}

// A MicroDVD file starts with "{" (after blank lines, if any).
bool looksLikeMicroDvd(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (!IsBlankLine(line))
            return Trimmed(line)[0] == '{';
    }
    return false;
}

// ".txt" is plain text, whatever it holds: SubRip text saved under that name is read too.
bool isPlainText(const QString& fileName)
{
    return upperExtension(fileName) == QStringLiteral(".TXT");
}

// A WebVTT file opens with "WEBVTT", alone or followed by a blank and a title.
bool looksLikeWebVtt(const std::vector<std::string>& lines)
{
    if (lines.empty() || lines[0].compare(0, 6, "WEBVTT") != 0)
        return false;
    return lines[0].size() == 6 || lines[0][6] == ' ' || lines[0][6] == '\t';
}

// An ASS or SSA script opens with its "[Script Info]" section (after blank lines, if any).
bool looksLikeAss(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        if (IsBlankLine(line))
            continue;
        const std::string first = Trimmed(line);
        static constexpr char kSection[] = "[script info]";
        return first.size() == sizeof kSection - 1 &&
               std::equal(first.begin(), first.end(), kSection, [](char a, char b) {
                   return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
               });
    }
    return false;
}

// The line-based forms that share ".sub" and ".txt" with MicroDVD, told by what they hold:
// MPL2 "[start][end]text", SubViewer 2 and SBV time lines "start,end".
FileKind textFamilyKind(const QString& fileName, const std::vector<std::string>& head)
{
    const QString ext = upperExtension(fileName);
    if (!isOneOf(ext, kMicroDvdExtensions) && !isOneOf(ext, kMpl2Extensions) &&
        !isOneOf(ext, kSbvExtensions))
        return FileKind::Unknown;
    if (LooksLikeMpl2(head))
        return FileKind::Mpl2;
    return SubViewerKindOf(head);
}

// The kinds told by the start of the text rather than by its lines.
FileKind documentKind(FileKind byExtension, const std::string& text)
{
    if (byExtension == FileKind::Ttml && LooksLikeTtml(text))
        return FileKind::Ttml;
    if (byExtension == FileKind::Sami && LooksLikeSami(text))
        return FileKind::Sami;
    if (byExtension == FileKind::EbuStl && LooksLikeEbuStl(text))
        return FileKind::EbuStl;
    return FileKind::Unknown;
}

FileKind kindOfLines(const QString& fileName, const std::vector<std::string>& head)
{
    // A script is recognised by what it holds, under any name.
    if (looksLikeAss(head))
        return FileKind::Ass;
    const FileKind byExtension = kindByExtension(fileName);
    // The signature is unmistakable: a WebVTT file saved under another subtitle extension is
    // still read as what it is.
    if (byExtension != FileKind::Unknown && looksLikeWebVtt(head))
        return FileKind::WebVtt;
    if (byExtension == FileKind::SubRip && looksLikeSubRip(head))
        return FileKind::SubRip;
    if (byExtension == FileKind::MicroDvd && looksLikeMicroDvd(head))
        return FileKind::MicroDvd;
    if (isPlainText(fileName) && looksLikeSubRip(head))
        return FileKind::SubRip;
    return textFamilyKind(fileName, head);
}

} // namespace

FileKind KindOfText(const QString& fileName, const std::string& text)
{
    const FileKind byExtension = kindByExtension(fileName);
    if (byExtension == FileKind::Ttml || byExtension == FileKind::Sami ||
        byExtension == FileKind::EbuStl)
        return documentKind(byExtension, text);
    return kindOfLines(fileName, firstLinesOf(text, kRecognitionLines));
}

FileKind KindOfFile(const QString& fileName)
{
    const FileKind byExtension = kindByExtension(fileName);
    if (KindOfName(fileName) != NameKind::File)
        return FileKind::Unknown;
    if (byExtension == FileKind::Unknown) {
        // Only a script may have any name: one that cannot be read is simply not one.
        try {
            return looksLikeAss(
                       firstLinesOf(headOfFile(fileName, kRecognitionLines), kRecognitionLines))
                       ? FileKind::Ass
                       : FileKind::Unknown;
        } catch (const Error&) {
            return FileKind::Unknown;
        }
    }
    return KindOfText(fileName, headOfFile(fileName, kRecognitionLines));
}

bool TSubtitle::IsSrtFile(const QString& fileName)
{
    return KindOfFile(fileName) == FileKind::SubRip;
}

bool TSubtitle::IsWebVttFile(const QString& fileName)
{
    return KindOfFile(fileName) == FileKind::WebVtt;
}

bool TSubtitle::IsAssFile(const QString& fileName)
{
    return KindOfFile(fileName) == FileKind::Ass;
}

bool TSubtitle::IsMicroDvdFile(const QString& fileName)
{
    return KindOfFile(fileName) == FileKind::MicroDvd;
}

} // namespace lumelle
