// Recognition of the kind of a subtitle file: by its extension and by what its first lines
// hold, so that a file is never read by the wrong reader.
#pragma once

#include <QString>
#include <string>
#include <vector>

namespace lumelle {

enum class FileKind {
    Unknown,
    SubRip,
    MicroDvd,
    WebVtt,
    Ass,
    Mpl2,
    SubViewer,
    Sbv,
    Ttml,
    Sami,
    EbuStl
};

// How many lines at the top of a file are searched for its first subtitle.
inline constexpr int kRecognitionLines = 50;

// The kind of a file named `fileName` whose text (byte-order mark handled) begins with
// `text`: a ".srt" file with a SubRip time line among its first lines, or a ".sub" or ".txt"
// file whose first line that is not blank starts with "{", or a file of any of those
// extensions and ".vtt" whose first line is the WebVTT signature "WEBVTT", or a file of any name
// whose first line that is not blank is the ASS/SSA section "[Script Info]". A ".sub", ".txt",
// ".mpl" or ".sbv" file is also an MPL2 one when its first line that is not blank starts with
// "[digits][", a SubViewer 2 one when it opens with "[INFORMATION]" or has a time line
// "0:00:01.00,0:00:02.00" of hundredths, a YouTube SBV one when that line has milliseconds.
// A ".ttml", ".dfxp", ".itt" or ".xml" file whose root element is <tt> is TTML, a ".smi" or
// ".sami" file that opens with <SAMI> is SAMI, and a ".stl" file whose general block names an
// STL disk format ("850STL25.01") is EBU STL.
FileKind KindOfText(const QString& fileName, const std::string& text);

// The same for a file on disk, reading no more of it than its first lines. A file of a
// subtitle extension that exists but cannot be opened throws Error with the system's reason;
// one of another extension is then Unknown.
FileKind KindOfFile(const QString& fileName);

} // namespace lumelle
