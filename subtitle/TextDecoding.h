// Turns the text of a subtitle file into Unicode: the character sets the window offers, the
// encoding a file declares or is found in, and the decoding of its lines.
#pragma once

#include "subtitle/CodePageConversion.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <string>

namespace lumelle {

// The character set "DEFAULT": the file's own encoding, found or declared.
inline constexpr quint8 kDefaultCharset = 1;

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
// Character set 1 ("DEFAULT") and unknown numbers give "WINDOWS-1252"; under "DEFAULT" a file
// is read as UTF-8 or in the code page it was found in before that (see CodePageFor).
const char* CodePageForCharset(quint8 charset);

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF, no cut-off sequence).
bool IsValidUtf8(const std::string& bytes);

// The encoding of the text lines of one subtitle file, as the reader found it.
//  - A byte-order mark declares it: UTF-16 and UTF-32 files are turned into UTF-8 as they are
//    read, so `codePage` is then "UTF-8" and `declared` is set. A declared encoding wins over
//    every character set chosen in the window.
//  - Otherwise `codePage` is what the bytes were found to be ("UTF-8" for valid UTF-8, else
//    the code page the detector named, such as "WINDOWS-1253"); it is used only under the
//    "DEFAULT" character set, since a chosen character set wins over a guess.
//  - An empty `codePage` means nothing is known: the character set decides alone.
struct FileEncoding
{
    std::string codePage;
    bool declared = false;
    // The encoding of the file itself ("UTF-16LE"), for messages; empty when it is `codePage`.
    std::string inFile;
    // What declared it, for messages, when `declared` is set.
    std::string declaredBy = "byte-order mark";
    // Set when the text is not UTF-8 and the detector named no code page: `codePage` is then
    // the Western one it is read as, a guess the user is told about.
    bool undetected = false;

    // True when the file's own code page decides how its lines are read under `charset`: one
    // declared by a mark, or one found under "DEFAULT".
    bool decidesUnder(quint8 charset) const;
    // How the file's lines are read under `charset`, for messages: "UTF-16LE (byte-order
    // mark)", "WINDOWS-1253 (detected)", "WINDOWS-1252 (could not be detected)", "UTF-8", "CP932
    // (chosen character set)".
    QString description(quint8 charset) const;
    // True when the user needs to be told how the file was read under `charset`: the encoding
    // was declared by a mark or detected, and is not simply UTF-8.
    bool worthNaming(quint8 charset) const;
    // True when the file's code page could not be detected and decides under `charset`: the
    // text was read as WINDOWS-1252 and may be wrong.
    bool guessedUnder(quint8 charset) const;
    bool operator==(const FileEncoding&) const = default;
};

// The iconv code page that a line of a file in `encoding` is decoded with under `charset`: the
// file's own when it decides (FileEncoding::decidesUnder), the character set's otherwise.
std::string CodePageFor(quint8 charset, const FileEncoding& encoding);

// Turns the lines of one file into Unicode, each line on its own: a byte that starts no valid
// sequence becomes one U+FFFD and the rest of the line is still read. Never throws.
class TextDecoder
{
public:
    TextDecoder(quint8 charset, const FileEncoding& encoding);

    std::string utf8(const std::string& bytes) const;
    QString text(const std::string& bytes) const;

private:
    std::string m_codePage;
    // ASCII is taken as it stands in the code page a file was found in; a chosen code page
    // that is not ASCII-based throughout (JOHAB reads a backslash as a won sign) is asked.
    bool m_asciiAsItStands;
};

// The text of a file in memory and its encoding: UTF-16 and UTF-32 (declared by a byte-order
// mark) turned into UTF-8, a UTF-8 mark dropped, other bytes as they are with the code page
// they were found to be in. `languageCode` is the two-letter code of the language the subtitles
// are for, a hint for telling code pages apart; empty when none is known.
struct PreparedText
{
    std::string text;
    FileEncoding encoding;
};
PreparedText PrepareText(const QByteArray& raw, const std::string& languageCode = {});
// The same without finding the code page of unmarked bytes (the encoding then names only a
// byte-order mark): enough to tell what kind of file the text is.
PreparedText PrepareMarkedText(const QByteArray& raw);

// The code page of text that is not valid UTF-8 ("WINDOWS-1253", "SHIFT_JIS", ...), as the
// detectors and a trial of the usual code pages find it (see GuessCodePage); empty when none
// reads clearly better than the others.
std::string DetectCodePage(const char* data, std::size_t size,
                           const std::string& languageCode = {});

} // namespace lumelle
