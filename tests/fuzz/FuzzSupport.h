// Shared set-up of the fuzz targets: an offscreen Qt application (fonts and images need one)
// and a message layer that swallows every text.
#pragma once

#include "platform/Messages.h"

#include <QGuiApplication>
#include <cstdlib>

namespace lumelle::fuzz {

inline void startQt()
{
    static int argc = 1;
    static char name[] = "lumelle-fuzz";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

} // namespace lumelle::fuzz
