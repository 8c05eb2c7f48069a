#include "subtitle/TextDecoding.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>
#include <strings.h>
#include <uchardet.h>

namespace lumelle {

namespace {

constexpr quint8 kDefaultCharset = 1;
constexpr char16_t kReplacement = 0xFFFD;

// One open conversion per code page and thread: an iconv descriptor keeps shift state and must
// not be shared between threads, and opening one costs more than a short line's conversion.
class Converter
{
public:
    explicit Converter(const char* codePage) : m_cd(iconv_open("UTF-16LE", codePage)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return m_cd != iconv_t(-1); }

    QString convert(const std::string& bytes)
    {
        // Back to the initial shift state: the last call may have ended inside a sequence.
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        QString result;
        result.reserve(qsizetype(bytes.size()));
        // A single input byte never gives more than two UTF-16 units.
        std::u16string out(bytes.size() * 2 + 4, u'\0');
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        while (inLeft > 0) {
            char* outPtr = reinterpret_cast<char*>(out.data());
            size_t outLeft = out.size() * sizeof(char16_t);
            const size_t rc = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            const int err = errno;
            const size_t produced = (out.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t);
            result.append(reinterpret_cast<const QChar*>(out.data()), qsizetype(produced));
            if (rc != size_t(-1))
                break;
            if (err == E2BIG)
                continue;
            // EILSEQ (a byte that starts no valid sequence) or EINVAL (a sequence cut off by
            // the end of the text): replace one byte and go on after it. Some converters (the
            // Korean ones) report the error having consumed the whole rest of the text: there is
            // then no byte left to step over.
            result.append(QChar(kReplacement));
            if (inLeft == 0)
                break;
            ++in;
            --inLeft;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        // Flush a pending shift sequence (stateful code pages only).
        char* outPtr = reinterpret_cast<char*>(out.data());
        size_t outLeft = out.size() * sizeof(char16_t);
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
        const size_t produced = (out.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t);
        result.append(reinterpret_cast<const QChar*>(out.data()), qsizetype(produced));
        return result;
    }

private:
    iconv_t m_cd;
};

Converter* converterFor(const char* codePage)
{
    thread_local std::map<std::string, std::unique_ptr<Converter>> converters;
    auto& slot = converters[codePage];
    if (!slot)
        slot = std::make_unique<Converter>(codePage);
    return slot->valid() ? slot.get() : nullptr;
}

bool isAscii(const std::string& bytes)
{
    for (unsigned char c : bytes) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

// Code pages that map every byte below 0x80 to the same ASCII character.
bool asciiCompatible(const char* codePage)
{
    return std::strncmp(codePage, "WINDOWS-", 8) == 0 || std::strcmp(codePage, "ISO-8859-1") == 0;
}

} // namespace

const std::array<Charset, 19>& Charsets()
{
    // "DEFAULT" reads valid UTF-8 first (see DecodeText); its code page is the fallback.
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

QString DecodeText(const std::string& bytes, quint8 charset)
{
    const char* codePage = CodePageForCharset(charset);
    if (charset == kDefaultCharset && IsValidUtf8(bytes)) {
        QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    if (asciiCompatible(codePage) && isAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    if (Converter* converter = converterFor(codePage))
        return converter->convert(bytes);
    // Without the system's conversion modules the bytes are at least shown as Latin-1.
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

namespace {

QString decodeIn(const std::string& bytes, const std::string& codePage)
{
    if (codePage == "UTF-8")
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    if (Converter* converter = converterFor(codePage.c_str()))
        return converter->convert(bytes);
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

enum class TrailKind { None, DoubleByte, ShiftJis, Gb18030 };

TrailKind trailKindOf(const std::string& codePage)
{
    auto is = [&codePage](const char* name) { return strcasecmp(codePage.c_str(), name) == 0; };
    if (is("CP932") || is("SHIFT_JIS") || is("SJIS") || is("WINDOWS-31J"))
        return TrailKind::ShiftJis;
    if (is("GB18030"))
        return TrailKind::Gb18030;
    for (const char* name : {"BIG5", "BIG5-HKSCS", "GBK", "CP936", "GB2312", "CP949", "UHC",
                             "JOHAB", "CP950", "EUC-KR"}) {
        if (is(name))
            return TrailKind::DoubleByte;
    }
    return TrailKind::None;
}

} // namespace

QString FileEncoding::description(quint8 charset) const
{
    if (!declared && (charset != kDefaultCharset || codePage.empty()))
        return QString::fromLatin1(CodePageForCharset(charset)) +
               QStringLiteral(" (chosen character set)");
    const QString name = QString::fromStdString(inFile.empty() ? codePage : inFile);
    if (declared)
        return name + QStringLiteral(" (byte-order mark)");
    if (codePage == "UTF-8")
        return name;
    return name + QStringLiteral(" (detected)");
}

bool FileEncoding::worthNaming(quint8 charset) const
{
    const bool plainUtf8 = codePage == "UTF-8" && (inFile.empty() || inFile == "UTF-8");
    return !plainUtf8 && (declared || (charset == kDefaultCharset && !codePage.empty()));
}

std::string CodePageFor(quint8 charset, const FileEncoding& encoding)
{
    if (encoding.declared || (charset == kDefaultCharset && !encoding.codePage.empty()))
        return encoding.codePage;
    return CodePageForCharset(charset);
}

QString DecodeText(const std::string& bytes, quint8 charset, const FileEncoding& encoding)
{
    if (encoding.declared || (charset == kDefaultCharset && !encoding.codePage.empty()))
        return decodeIn(bytes, encoding.codePage);
    return DecodeText(bytes, charset);
}

std::string MaskTrailBytes(const std::string& bytes, const std::string& codePage)
{
    if (isAscii(bytes))
        return std::string();
    const TrailKind kind = trailKindOf(codePage);
    if (kind == TrailKind::None)
        return std::string();
    std::string mask = bytes;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        const auto c = static_cast<unsigned char>(mask[i]);
        if (c < 0x81 || c == 0xFF)
            continue;
        // Half-width katakana are single bytes in Shift-JIS.
        if (kind == TrailKind::ShiftJis && c >= 0xA0 && c <= 0xDF)
            continue;
        std::size_t length = 2;
        if (kind == TrailKind::Gb18030 && i + 1 < mask.size() && mask[i + 1] >= '0' &&
            mask[i + 1] <= '9')
            length = 4;
        for (std::size_t j = 1; j < length && i + j < mask.size(); ++j)
            mask[i + j] = char(0x80);
        i += length - 1;
    }
    return mask;
}

std::string DetectCodePage(const char* data, std::size_t size)
{
    uchardet_t detector = uchardet_new();
    std::string found;
    if (uchardet_handle_data(detector, data, size) == 0) {
        uchardet_data_end(detector);
        found = uchardet_get_charset(detector);
    }
    uchardet_delete(detector);
    // Plain ASCII (or nothing recognised) reads as the Western code page, as before.
    if (found.empty() || found == "ASCII")
        return "WINDOWS-1252";
    return found;
}

std::string ToUtf8(const std::string& bytes, const std::string& codePage)
{
    return decodeIn(bytes, codePage).toStdString();
}

} // namespace lumelle
