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

// The encoding of the text lines of one subtitle file, as the reader found it.
//  - A byte-order mark declares it: UTF-16 and UTF-32 files are turned into UTF-8 as they are
//    read, so `codePage` is then "UTF-8" and `declared` is set. A declared encoding wins over
//    every character set chosen in the window.
//  - Otherwise `codePage` is what the bytes were found to be ("UTF-8" for valid UTF-8, else
//    the code page the detector named, such as "WINDOWS-1253"); it is used only under the
//    "DEFAULT" character set, since a chosen character set wins over a guess. The line bytes
//    stay as they are in the file.
//  - An empty `codePage` means nothing is known: the character set decides alone.
struct FileEncoding
{
    std::string codePage;
    bool declared = false;
    // The encoding of the file itself ("UTF-16LE"), for messages; empty when it is `codePage`.
    std::string inFile;

    // How the file's lines are read under `charset`, for messages: "UTF-16LE (byte-order
    // mark)", "WINDOWS-1253 (detected)", "UTF-8", "CP932 (chosen character set)".
    QString description(quint8 charset) const;
    // True when the user needs to be told how the file was read under `charset`: the encoding
    // was declared by a mark or detected, and is not simply UTF-8.
    bool worthNaming(quint8 charset) const;
    bool operator==(const FileEncoding&) const = default;
};

// The iconv code page that a line of a file in `encoding` is decoded with under `charset`.
std::string CodePageFor(quint8 charset, const FileEncoding& encoding);

// Decodes a line of a subtitle file: by the file's encoding when it was declared by a
// byte-order mark or, under "DEFAULT", detected; by `charset` otherwise, as the overload
// above. Never throws; undecodable bytes become U+FFFD.
QString DecodeText(const std::string& bytes, quint8 charset, const FileEncoding& encoding);

// Every byte of `bytes` that does not start a character of `codePage` (the trail bytes of the
// double-byte code pages, which may look like "|", "\\" or "{") replaced by 0x80, so that a
// search for an ASCII mark in the result finds only whole characters. Empty when the code page
// has no such trail bytes (the caller then searches `bytes` itself).
std::string MaskTrailBytes(const std::string& bytes, const std::string& codePage);

// The code page of text that is not valid UTF-8, as the character-set detector finds it
// ("WINDOWS-1253", "SHIFT_JIS", ...); "WINDOWS-1252" when it finds none.
std::string DetectCodePage(const char* data, std::size_t size);

// `bytes` in `codePage` turned into UTF-8; undecodable bytes become U+FFFD.
std::string ToUtf8(const std::string& bytes, const std::string& codePage);

} // namespace lumelle
