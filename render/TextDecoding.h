// Turns the 8-bit text of a subtitle line into Unicode by the line's GDI character-set number.
#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <string>

namespace lumelle {

// A GDI character set: its name in the window's list, its number, and the iconv code page its
// 8-bit text is decoded with.
struct Charset
{
    const char* name;
    quint8 number;
    const char* codePage;
};

// Every character set the window offers, in the order of its list.
const std::array<Charset, 19>& Charsets();

// The iconv code page that stands for a GDI character-set number ("WINDOWS-1253" for 161, ...).
// Character set 1 ("DEFAULT") and unknown numbers give "WINDOWS-1252"; DecodeText reads valid
// UTF-8 before falling back to it for those.
const char* CodePageForCharset(quint8 charset);

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF, no cut-off sequence).
bool IsValidUtf8(const std::string& bytes);

// Decodes `bytes` in the code page of `charset`. "DEFAULT" (1) reads the bytes as UTF-8 when
// they are valid UTF-8 (a leading byte-order mark is dropped), otherwise as WINDOWS-1252.
// Never throws: every byte that does not start a valid sequence of the code page becomes one
// U+FFFD and decoding goes on with the next byte.
QString DecodeText(const std::string& bytes, quint8 charset);

} // namespace lumelle
