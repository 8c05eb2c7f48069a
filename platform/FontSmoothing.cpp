#include "platform/FontSmoothing.h"

namespace lumelle::platform {

namespace {
bool g_smoothing = true;
}

bool FontSmoothingEnabled()
{
    return g_smoothing;
}

void SetFontSmoothing(bool on)
{
    g_smoothing = on;
}

} // namespace lumelle::platform
