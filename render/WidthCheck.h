// The line-width check: a subtitle line must be narrower than 680 pixels in the chosen font to
// fit the frame with its outline.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/TextDecoding.h"
#include "subtitle/Subtitle.h"

#include <QString>
#include <string>

namespace lumelle {

constexpr int kMaxLineWidth = 680;

// True when a line `width` pixels wide fits: narrower than kMaxLineWidth.
constexpr bool LineFitsWidth(int width)
{
    return width < kMaxLineWidth;
}

// Tails of the too-long message: after a preview drawing, after a font change on a loaded
// file, and after loading a file.
inline const char* const kTooLongInPreview = "is too long.";
inline const char* const kTooLongAfterFontChange = "is too long. Please use a smaler font size.";
inline const char* const kTooLongAfterLoad =
    "is too long. Please correct the srt and reload it. You can just use a smaler font size.";

// True when both lines measure less than 680 pixels in the settings' font.
bool SubtitleFitsWidth(const std::string& line1, const std::string& line2,
                       const RenderSettings& settings);

// The number (from 1) of the first subtitle of `list` with a line that does not fit in
// `settings`' font (every line, broken first when the settings wrap long lines, read in the
// list's encoding), or 0 when every subtitle fits. `threads` threads share the measuring; the
// answer is the same for any number. Subtitles after the first refused one need not be measured.
int FirstTooWideEntry(const TSubtitle& list, RenderSettings settings, int threads = 1);

// A subtitle line as the window shows it in a message or a list row: decoded in `charset`, and
// cut after 500 characters with "..." appended. Any line that fits the frame is far shorter,
// so only lines that are refused anyway are cut; a message quoting a 50 MB line whole would
// stall the message box.
QString ShownLine(const std::string& bytes, quint8 charset);
// The same for a line of a file read in `encoding` (see DecodeText).
QString ShownLine(const std::string& bytes, quint8 charset, const FileEncoding& encoding);
constexpr int kShownLineLimit = 500;

// "The string \r" + line 1 + "\r" + line 2 + "\r" + tail, the lines as ShownLine gives them
// (in the file's own `encoding` when it has one).
QString TooLongMessage(const std::string& line1, const std::string& line2, quint8 charset,
                       const char* tail, const FileEncoding& encoding = FileEncoding());

} // namespace lumelle
