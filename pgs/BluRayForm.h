// What the Blu-ray forms share: the frame sizes and rates a Blu-ray stream may have, the
// options of a run, and the conversions of frame numbers to 90 kHz ticks and to timecodes.
#pragma once

#include "subtitle/FrameRate.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

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

// The 90 kHz tick of frame `frame`, rounded to the nearest; -1 before the start.
std::int64_t BluRayTicks(std::int64_t frame, FrameRate rate);
// A Blu-ray time stamp holds 32 bits: 13:15:21.
constexpr std::int64_t kBluRayTickLimit = std::int64_t(1) << 32;

// "HH:MM:SS:FF" of frame `frame` counted at the rate's whole number of frames a second (24 for
// 23.976, 30 for 29.97: non-drop-frame timecode).
QString BluRayTimecode(std::int64_t frame, FrameRate rate);

} // namespace lumelle
