// Reading a subtitle file whole, with a bound on what one line may cost.
#pragma once

#include <QByteArray>
#include <QString>

namespace lumelle {

// No subtitle line comes near this; a longer one means the file is no subtitle file, and it is
// refused before it is all in memory.
inline constexpr qint64 kMaxLineBytes = qint64(64) << 20;

// Nor does a whole film come near this (100 000 subtitles are about 10 MB): a larger file is
// refused by its size, before any of it is read.
inline constexpr qint64 kMaxFileBytes = qint64(1) << 30;

// The bytes of `fileName`. Throws Error with the system's reason when it cannot be read,
// Error("The file is N MB: ...") when it is larger than kMaxFileBytes, and
// Error("Line N is longer than 64 MB: ...") at the first line longer than kMaxLineBytes.
QByteArray ReadSubtitleFile(const QString& fileName);

} // namespace lumelle
