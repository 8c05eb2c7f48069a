// What the Blu-ray forms share: the frame sizes and rates a Blu-ray stream may have, the
// options of a run, and the conversions of frame numbers to 90 kHz ticks and to timecodes.
#pragma once

#include "subtitle/FrameRate.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace lumelle {

struct BluRayOptions
{
    FrameRate frameRate;
    QSize frame{1920, 1080};
    QString language = QStringLiteral("und"); // three letters, for the BDN index
};

// "1920x1080", "1280x720", "720x576", "720x480": the frame sizes, the default first.
const QStringList& BluRayFrameSizeTexts();
// The size a text of that list names; an invalid size for any other text.
QSize BluRayFrameSize(const QString& text);
// The frame rates of Blu-ray video as the converter takes them: "23976", "24000", "25000",
// "29970", "50000", "59940".
const QStringList& BluRayFrameRateTexts();

// A video format of Blu-ray: its frame, rate and scan, and BDN's names for them.
struct BluRayVideoFormat
{
    QSize frame;
    std::int64_t framesPer1000Seconds;
    bool interlaced;
    const char* formatName; // "1080p"
    const char* rateName;   // "23.976"
};
// The formats Blu-ray video has at the converter's frame sizes and rates.
const std::vector<BluRayVideoFormat>& BluRayVideoFormats();
// The format of `frame` at `rate`; none when Blu-ray has no such video.
const BluRayVideoFormat* FindBluRayVideoFormat(QSize frame, FrameRate rate);
// "1920x1080 at 23976, 24000, 25000 or 29970; 1280x720 at ...": the table as a text.
QString BluRayFormatList();
// Why `frame` at `rate` cannot be written, naming the rates that frame takes; empty when it can.
QString BluRayFormatProblem(QSize frame, FrameRate rate);

// The 90 kHz tick of frame `frame` on the exact frame grid of the rate (FrameRate::exact),
// rounded to the nearest; -1 before the start.
std::int64_t BluRayTicks(std::int64_t frame, FrameRate rate);
// A Blu-ray time stamp holds 32 bits: 13:15:21.
constexpr std::int64_t kBluRayTickLimit = std::int64_t(1) << 32;

// "HH:MM:SS:FF" of frame `frame` counted at the rate's whole number of frames a second (24 for
// 23.976, 30 for 29.97: non-drop-frame timecode).
QString BluRayTimecode(std::int64_t frame, FrameRate rate);

} // namespace lumelle
