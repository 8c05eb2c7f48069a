// The line-width check: a subtitle line must be narrower than 680 pixels in the chosen font to
// fit the frame with its outline.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"

#include <QString>
#include <atomic>
#include <string>

namespace lumelle {

// True when a line `width` pixels wide fits the DVD frame: narrower than kMaxLineWidth.
constexpr bool LineFitsWidth(int width)
{
    return width < kMaxLineWidth;
}
// The same in the frame of `s`: narrower than MaxLineWidth(s).
inline bool LineFitsWidth(int width, const RenderSettings& s)
{
    return width < MaxLineWidth(s);
}

// Tails of the too-long message: after a preview drawing, after a font change on a loaded
// file, and after loading a file.
inline const char* const kTooLongInPreview = "is too long.";
inline const char* const kTooLongAfterFontChange = "is too long. Please use a smaler font size.";
inline const char* const kTooLongAfterLoad =
    "is too long. Please correct the srt and reload it. You can just use a smaler font size.";

// The lowest refused entry of a width check that threads share. Entries are handed out in
// blocks, in order; a block that starts after a refused entry already found is not handed out,
// and every block handed out before it is measured whole, so the lowest refused entry is found
// whichever thread finds it and in whatever order the threads report.
class FirstRefusedSearch
{
public:
    // Entries 1..count, in blocks of `block` entries.
    FirstRefusedSearch(int count, int block);
    // The next block [first, last) to measure; false when none is left worth measuring.
    bool nextBlock(int& first, int& last);
    // Entry `entry` does not fit.
    void refused(int entry);
    // The lowest refused entry reported, or 0.
    int result() const;

private:
    const int m_count;
    const int m_block;
    std::atomic<int> m_nextBlock{0};
    std::atomic<int> m_firstRefused;
};

// The number (from 1) of the first subtitle of `list` with a line that does not fit in
// `settings`' font (every line, broken first when the settings wrap long lines), or 0 when
// every subtitle fits. `threads` threads share the measuring; the answer is the same for any
// number. Subtitles after the first refused one need not be measured.
int FirstTooWideEntry(const TSubtitle& list, const RenderSettings& settings, int threads = 1);

// A subtitle line (UTF-8) as the window shows it in a message or a list row: cut after 500
// characters with "..." appended. Any line that fits the frame is far shorter, so only lines
// that are refused anyway are cut; a message quoting a 50 MB line whole would stall the
// message box.
QString ShownLine(const std::string& text);
constexpr int kShownLineLimit = 500;

// "The string \r" + line 1 + "\r" + line 2 + "\r" + tail, the lines as ShownLine gives them.
QString TooLongMessage(const std::string& line1, const std::string& line2, const char* tail);

// The message of the first subtitle of `list` with a line too wide for the frame of
// `settings` (the too-long message after loading, with a hint when --wrap would break the line
// to fit), or an empty text when every line fits; `threads` threads share the measuring.
QString FirstTooWideSubtitle(const TSubtitle& list, const RenderSettings& settings,
                             int threads = 1);

} // namespace lumelle
