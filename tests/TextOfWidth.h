// Texts of an exact pixel width in a given font, for the width-limit boundaries.
#pragma once

#include "render/RenderSettings.h"
#include "render/TextShaping.h"

#include <string>

namespace lumelle::testing {

// A text exactly `width` pixels wide in `settings`' font, made of a run of one letter followed
// by a run of another; empty when no such pair of runs has that width.
inline std::string TextOfWidth(int width, const RenderSettings& settings)
{
    const char letters[] = {'W', 'm', 'a', 'i', 'l', '.', 'e', 'r', 't'};
    for (char wide : letters) {
        for (char fill : letters) {
            for (int n = 0; n < 80; ++n) {
                for (int k = 0; k < 200; ++k) {
                    const std::string text = std::string(n, wide) + std::string(k, fill);
                    const int w = MeasureText(QString::fromLatin1(text), settings.fontName,
                                              settings.fontSize, settings.fontStyle)
                                      .width;
                    if (w == width)
                        return text;
                    if (w > width)
                        break;
                }
            }
        }
    }
    return std::string();
}

} // namespace lumelle::testing
