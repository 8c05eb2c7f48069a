// The time expressions of TTML: clock times ("00:00:01.500", "00:00:01:12" with frames) and
// offsets ("1.5s", "1500ms", "36f", "15000000t"), counted at the document's frame and tick rates.
#pragma once

#include <QStringView>
#include <cstdint>
#include <optional>

namespace lumelle {

// The rates of a document, as its root element gives them (ttp:frameRate,
// ttp:frameRateMultiplier, ttp:subFrameRate, ttp:tickRate).
struct TtmlClock
{
    double frameRate = 30.0; // frames per second, the multiplier applied
    double subFrameRate = 1.0;
    double tickRate = 1.0;

    // The clock of those attributes, each empty when the root does not give it. A value that
    // cannot be read keeps the default and sets `unread`, for the user to be told.
    static TtmlClock of(QStringView frameRate, QStringView multiplier, QStringView subFrameRate,
                        QStringView tickRate, bool& unread);
};

// The time expression `text` in milliseconds, to the nearest; nullopt when it is none.
std::optional<std::int64_t> TtmlMillis(QStringView text, const TtmlClock& clock);

} // namespace lumelle
