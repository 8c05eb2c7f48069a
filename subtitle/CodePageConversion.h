// Converting the bytes of a code page into Unicode through iconv: the conversion both the
// decoding of a file's lines and the trial of candidate code pages stand on.
#pragma once

#include <QString>
#include <string>

namespace lumelle {

inline bool IsAscii(const std::string& bytes)
{
    for (const unsigned char c : bytes) {
        if (c >= 0x80)
            return false;
    }
    return true;
}

// Code pages that map every byte below 0x80 to the same ASCII character.
bool AsciiCompatible(const char* codePage);

// Code pages in which bytes below 0x80 need not be ASCII: the wide Unicode forms (a NUL byte
// is half of a character) and the 7-bit forms whose escapes switch to other character sets.
bool NotAsciiBased(const char* codePage);

// `bytes` in `codePage` as Unicode; a byte that starts no valid sequence becomes one U+FFFD and
// the rest is still read. With `asciiAsItStands`, text of ASCII bytes only is taken as it
// stands without asking iconv. A code page iconv cannot open gives the bytes as Latin-1.
QString DecodeInCodePage(const std::string& bytes, const char* codePage, bool asciiAsItStands);

// `bytes` in `codePage` turned into UTF-8; undecodable bytes become U+FFFD.
std::string ToUtf8(const std::string& bytes, const std::string& codePage);

} // namespace lumelle
