// The font-smoothing switch that the main window turns off while it works and on again when it
// closes. Here it is a switch of this process only: the desktop's own setting is never read or
// changed (the drawing code asks for unsmoothed glyphs per font anyway).
#pragma once

namespace lumelle::platform {

// Starts on, as a desktop normally is.
bool FontSmoothingEnabled();
void SetFontSmoothing(bool on);

} // namespace lumelle::platform
