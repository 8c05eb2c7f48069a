#include "subtitle/CodePageConversion.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <map>
#include <memory>

namespace lumelle {

namespace {

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

} // namespace

bool AsciiCompatible(const char* codePage)
{
    return std::strncmp(codePage, "WINDOWS-", 8) == 0 || std::strcmp(codePage, "ISO-8859-1") == 0;
}

bool NotAsciiBased(const char* codePage)
{
    for (const char* prefix : {"UTF-16", "UTF-32", "UCS-", "UTF-7", "ISO-2022-", "HZ"}) {
        if (std::strncmp(codePage, prefix, std::strlen(prefix)) == 0)
            return true;
    }
    return false;
}

QString DecodeInCodePage(const std::string& bytes, const char* codePage, bool asciiAsItStands)
{
    if (std::strcmp(codePage, "UTF-8") == 0)
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    if (asciiAsItStands && IsAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    if (Converter* converter = converterFor(codePage))
        return converter->convert(bytes);
    // Without the system's conversion modules the bytes are at least shown as Latin-1.
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string ToUtf8(const std::string& bytes, const std::string& codePage)
{
    return DecodeInCodePage(bytes, codePage.c_str(), !NotAsciiBased(codePage.c_str()))
        .toStdString();
}

} // namespace lumelle
