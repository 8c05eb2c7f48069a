#include "subtitle/Subtitle.h"

#include "subtitle/FileKind.h"
#include "subtitle/FileReading.h"

#include <cmath>

namespace lumelle {

std::vector<std::string> SubtitleLine::TextLines() const
{
    std::vector<std::string> lines{Line1, Line2, Line3};
    lines.insert(lines.end(), MoreLines.begin(), MoreLines.end());
    while (lines.size() > 1 && lines.back().empty())
        lines.pop_back();
    return lines;
}

void TSubtitle::AddLine(std::string startFrame, std::string endFrame, std::string line1,
                        std::string line2, std::string line3)
{
    m_lines.append(SubtitleLine{std::move(startFrame), std::move(endFrame), std::move(line1),
                                std::move(line2), std::move(line3)});
}

void TSubtitle::AddEntry(const SubtitleLine& entry)
{
    m_lines.append(entry);
}

void TSubtitle::Clear()
{
    m_lines.clear();
}

int TSubtitle::Count() const
{
    return int(m_lines.size());
}

void TSubtitle::GetLine(int index, SubtitleLine& dest) const
{
    dest = line(index);
}

SubtitleLine TSubtitle::line(int index) const
{
    Q_ASSERT(index >= 1 && index <= Count());
    return m_lines.at(std::size_t(index - 1));
}

void TSubtitle::skip(int lineNumber, const QString& reason)
{
    m_skipped.push_back({lineNumber, reason});
}

void TSubtitle::noteChanged(int lineNumber, const QString& reason)
{
    m_changed.push_back({lineNumber, reason});
}

LoadOutcome TSubtitle::LoadFromFile(const QString& fileName, bool clearFirst, FrameRate rate,
                                    double frameOffset, quint8 charset)
{
    if (KindOfFile(fileName) == FileKind::Unknown)
        return LoadOutcome::UnsupportedFormat;
    // The file's bytes are let go as soon as their text is prepared (a temporary would live
    // through the whole read), so that a long file is not held twice while its entries are read.
    PreparedText prepared = PrepareText(ReadSubtitleFile(fileName), m_languageHint);
    return loadText(fileName, std::move(prepared), clearFirst, rate, frameOffset, charset);
}

LoadOutcome TSubtitle::LoadFromData(const QString& fileName, const QByteArray& data,
                                    bool clearFirst, FrameRate rate, double frameOffset,
                                    quint8 charset)
{
    return loadText(fileName, PrepareText(data, m_languageHint), clearFirst, rate, frameOffset,
                    charset);
}

LoadOutcome TSubtitle::loadText(const QString& fileName, PreparedText prepared, bool clearFirst,
                                FrameRate rate, double frameOffset, quint8 charset)
{
    const std::int64_t offset = std::llround(std::isfinite(frameOffset) ? frameOffset : 0.0);
    const FileKind kind = KindOfText(fileName, prepared.text);
    if (kind == FileKind::Unknown)
        return LoadOutcome::UnsupportedFormat;
    if (clearFirst)
        Clear();
    m_skipped.clear();
    m_changed.clear();
    m_hidden = 0;
    m_empty = 0;
    m_rateNote.clear();
    m_readNotes.clear();
    m_kind = kind;
    m_declaredLanguage.clear();
    m_languageClasses.clear();
    m_encoding = std::move(prepared.encoding);
    const TextDecoder decoder(charset, m_encoding);
    if (kind == FileKind::SubRip)
        readSubRip(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::WebVtt)
        readWebVtt(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::Ass)
        readAss(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::Mpl2)
        readMpl2(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::SubViewer || kind == FileKind::Sbv)
        readSubViewer(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::Ttml)
        readTtml(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::Sami)
        readSami(prepared.text, rate, offset, decoder);
    else if (kind == FileKind::EbuStl)
        readEbuStl(prepared.text, rate, offset);
    else
        readMicroDvd(prepared.text, rate, offset, decoder);
    return LoadOutcome::Read;
}

} // namespace lumelle
