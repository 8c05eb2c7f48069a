// An ASS/SSA script read for libass: the file's text turned into UTF-8 the way a SubRip file's
// is (byte-order mark, UTF-16/32, a found or chosen code page), and one libass renderer over
// it. Each thread that draws holds a rendering of its own.
#pragma once

#include "platform/Colour.h"
#include "subtitle/TextDecoding.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <ass/ass.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lumelle {

struct AssScript
{
    std::string text; // UTF-8
    FileEncoding encoding;
    // Each event of the script (its "Dialogue:" lines in order) as the subtitle list reads it:
    // libass is given these times, and draws none of the events the list skips. libass alone
    // would read a time it cannot parse ("0:00:10:00") as zero and draw the event from there.
    struct EventTimes
    {
        bool shown = false;
        long long startMs = 0;
        long long endMs = 0;
    };
    std::vector<EventTimes> events;
};

// The script in `fileName`, its lines decoded under character set `charset` as the subtitle
// list reads them. Throws Error when the file cannot be read.
AssScript ReadAssScript(const QString& fileName, quint8 charset = kDefaultCharset,
                        const std::string& languageHint = {});
// The same for bytes in memory.
AssScript AssScriptOfData(const QByteArray& data, quint8 charset = kDefaultCharset,
                          const std::string& languageHint = {});

// One libass library, renderer and track over a script, drawing frames of `frame`'s size.
// libass is told the storage size as the frame's, so that letters keep their shape in the
// frame's pixels whatever PlayResX/PlayResY the script was written for; the script's fonts
// ([Fonts]) are used before those fontconfig finds. Not to be shared between threads.
class AssRendering
{
public:
    AssRendering(const AssScript& script, QSize frame);
    ~AssRendering();
    AssRendering(const AssRendering&) = delete;
    AssRendering& operator=(const AssRendering&) = delete;

    ASS_Track* track() const { return m_track; }
    // The events too large to draw within the frame's bounds (AssEventTooLarge), by number from
    // 1, each with the reason; libass never draws them.
    struct TooLarge
    {
        int number = 0;
        QString reason;
    };
    const std::vector<TooLarge>& tooLarge() const { return m_tooLarge; }
    QSize frame() const { return m_frame; }
    // The images of the frame at `ms`; `changed` (may be null) is 0 when they are those of the
    // last call, 1 when only moved, 2 when drawn otherwise. Valid until the next call.
    ASS_Image* render(long long ms, int* changed = nullptr);
    // What libass said about the fonts it chose since the last call, one line each: "(Arial,
    // 400, 0) -> /usr/share/fonts/.../LiberationSans-Regular.ttf, 0, LiberationSans".
    QStringList takeFontMessages();

private:
    static constexpr int kGlyphCacheEntries = 2000;
    static constexpr int kBitmapCacheMegabytes = 64;
    void takeListTimes(const std::vector<AssScript::EventTimes>& events);
    void leaveOutTooLarge();
    static void message(int level, const char* format, va_list args, void* self);

    QSize m_frame;
    ASS_Library* m_library = nullptr;
    ASS_Renderer* m_renderer = nullptr;
    ASS_Track* m_track = nullptr;
    QStringList m_fontMessages;
    std::vector<TooLarge> m_tooLarge;
};

// What the fonts chosen say for the user: each font asked for that was drawn with another
// ("the font \"Arial\" is drawn with LiberationSans"), and characters no font has, from libass's
// font messages (AssRendering::takeFontMessages). Each font once, in the order met.
QStringList FontReplacementNotes(const QStringList& fontMessages);

// A script colour as libass gives it (0xRRGGBBAA, AA the transparency) as the colour to show
// in a DVD picture: a script written for BT.709 video (its "YCbCr Matrix" header) had its
// colours shown through the BT.601 conversion of older renderers, and is shown as it was seen.
ColorValue AssShownColour(std::uint32_t rgba, ASS_YCbCrMatrix matrix);

} // namespace lumelle
