// Which characters the installed fonts can draw: a character that no font holds is drawn as an
// empty box (Korean or Thai text on a machine without fonts for those scripts).
#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace lumelle::platform {

// The characters of `text` that no installed font can draw, each once, in the order they first
// appear; spaces, controls and combining marks are not asked about. Empty without a running
// QGuiApplication (no fonts to ask). Safe to call from several threads.
QString UndrawableCharacters(const QString& text);

// A subtitle (its number from 1) and the characters of it no font can draw.
using UndrawableSubtitle = std::pair<int, QString>;

// The message naming the subtitles of `fileName` (none named when empty) with characters no
// installed font can draw:
// the first `listed` by number with their characters, then how many more, and what to install.
QString UndrawableMessage(const std::vector<UndrawableSubtitle>& found, const QString& fileName,
                          std::size_t listed = 20);

} // namespace lumelle::platform
