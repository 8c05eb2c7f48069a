#include "subtitle/TextDecoding.h"

#include "subtitle/CodePageGuess.h"

#include <cstring>

namespace lumelle {

const std::array<Charset, 19>& Charsets()
{
    // "DEFAULT" reads a file as UTF-8 or in its detected code page first (see CodePageFor);
    // its code page here is the last resort.
    static const std::array<Charset, 19> charsets{{
        {"ANSI", 0, "WINDOWS-1252"},
        {"ARABIC", 178, "WINDOWS-1256"},
        {"BALTIC", 186, "WINDOWS-1257"},
        {"CHINESEBIG5", 136, "BIG5"},
        {"DEFAULT", kDefaultCharset, "WINDOWS-1252"},
        {"EASTEUROPE", 238, "WINDOWS-1250"},
        {"GB2312", 134, "GBK"},
        {"GREEK", 161, "WINDOWS-1253"},
        {"HANGEUL", 129, "CP949"},
        {"HEBREW", 177, "WINDOWS-1255"},
        {"JOHAB", 130, "JOHAB"},
        {"MAC", 77, "MACINTOSH"},
        {"OEM", 255, "CP437"},
        {"RUSSIAN", 204, "WINDOWS-1251"},
        {"SHIFTJIS", 128, "CP932"},
        {"SYMBOL", 2, "ISO-8859-1"},
        {"THAI", 222, "CP874"},
        {"TURKISH", 162, "WINDOWS-1254"},
        {"VIETNAMESE", 163, "WINDOWS-1258"},
    }};
    return charsets;
}

const char* CodePageForCharset(quint8 charset)
{
    for (const Charset& entry : Charsets()) {
        if (entry.number == charset)
            return entry.codePage;
    }
    return "WINDOWS-1252"; // numbers outside the table
}

bool IsValidUtf8(const std::string& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length;
        char32_t value;
        char32_t minimum;
        if ((c & 0xE0) == 0xC0) {
            length = 2, value = c & 0x1F, minimum = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, value = c & 0x0F, minimum = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, value = c & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (end - p < length)
            return false;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (p[i] & 0x3F);
        }
        if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        p += length;
    }
    return true;
}

bool FileEncoding::decidesUnder(quint8 charset) const
{
    return declared || (charset == kDefaultCharset && !codePage.empty());
}

QString FileEncoding::description(quint8 charset) const
{
    if (!decidesUnder(charset))
        return QString::fromLatin1(CodePageForCharset(charset)) +
               QStringLiteral(" (chosen character set)");
    const QString name = QString::fromStdString(inFile.empty() ? codePage : inFile);
    if (declared)
        return QStringLiteral("%1 (%2)").arg(name, QString::fromStdString(declaredBy));
    if (codePage == "UTF-8")
        return name;
    if (undetected)
        return name + QStringLiteral(" (could not be detected)");
    return name + QStringLiteral(" (detected)");
}

bool FileEncoding::worthNaming(quint8 charset) const
{
    const bool plainUtf8 = codePage == "UTF-8" && (inFile.empty() || inFile == "UTF-8");
    return !plainUtf8 && decidesUnder(charset);
}

bool FileEncoding::guessedUnder(quint8 charset) const
{
    return undetected && decidesUnder(charset);
}

std::string CodePageFor(quint8 charset, const FileEncoding& encoding)
{
    if (encoding.decidesUnder(charset))
        return encoding.codePage;
    return CodePageForCharset(charset);
}

TextDecoder::TextDecoder(quint8 charset, const FileEncoding& encoding)
    : m_codePage(CodePageFor(charset, encoding)),
      m_asciiAsItStands((encoding.decidesUnder(charset) && !NotAsciiBased(m_codePage.c_str())) ||
                        AsciiCompatible(m_codePage.c_str()))
{}

QString TextDecoder::text(const std::string& bytes) const
{
    return DecodeInCodePage(bytes, m_codePage.c_str(), m_asciiAsItStands);
}

std::string TextDecoder::utf8(const std::string& bytes) const
{
    // Most files are UTF-8 or ASCII: their lines need no conversion.
    if (m_codePage == "UTF-8" ? IsValidUtf8(bytes) : m_asciiAsItStands && IsAscii(bytes))
        return bytes;
    return text(bytes).toStdString();
}

PreparedText PrepareMarkedText(const QByteArray& raw)
{
    static const struct
    {
        const char* mark;
        std::size_t size;
        const char* codePage;
    } kMarks[] = {{"\x00\x00\xFE\xFF", 4, "UTF-32BE"},
                  {"\xFF\xFE\x00\x00", 4, "UTF-32LE"},
                  {"\xEF\xBB\xBF", 3, "UTF-8"},
                  {"\xFE\xFF", 2, "UTF-16BE"},
                  {"\xFF\xFE", 2, "UTF-16LE"}};
    for (const auto& bom : kMarks) {
        if (raw.size() >= qsizetype(bom.size) &&
            std::memcmp(raw.constData(), bom.mark, bom.size) == 0) {
            std::string rest(raw.constData() + bom.size, std::size_t(raw.size()) - bom.size);
            PreparedText prepared{std::string(), FileEncoding{bom.codePage, true}};
            if (std::strcmp(bom.codePage, "UTF-8") == 0)
                prepared.text = std::move(rest);
            else
                prepared.text = ToUtf8(rest, bom.codePage);
            // The text now holds UTF-8; messages name what the file was.
            prepared.encoding.codePage = "UTF-8";
            prepared.encoding.inFile = bom.codePage;
            return prepared;
        }
    }
    return PreparedText{std::string(raw.constData(), std::size_t(raw.size())), FileEncoding{}};
}

PreparedText PrepareText(const QByteArray& raw, const std::string& languageCode)
{
    PreparedText prepared = PrepareMarkedText(raw);
    if (prepared.encoding.declared)
        return prepared;
    // ISO-2022-JP is 7-bit, so valid UTF-8 as it stands: its escapes into the JIS character
    // sets tell it apart.
    for (const char* escape : {"\x1B$B", "\x1B$@", "\x1B(J"}) {
        if (prepared.text.find(escape) != std::string::npos) {
            prepared.encoding.codePage = "ISO-2022-JP";
            return prepared;
        }
    }
    prepared.encoding.codePage =
        IsValidUtf8(prepared.text)
            ? std::string("UTF-8")
            : DetectCodePage(prepared.text.data(), prepared.text.size(), languageCode);
    // Nothing recognised: read as the Western code page, and say so.
    if (prepared.encoding.codePage.empty()) {
        prepared.encoding.codePage = "WINDOWS-1252";
        prepared.encoding.undetected = true;
    }
    return prepared;
}

std::string DetectCodePage(const char* data, std::size_t size, const std::string& languageCode)
{
    if (size == 0)
        return {};
    return GuessCodePage(std::string(data, size), languageCode).codePage;
}

} // namespace lumelle
