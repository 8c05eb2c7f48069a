// The window's settings file read into the converter's options: what the window would draw
// with, taken by --settings.
#pragma once

#include "cli/ConvertOptions.h"

#include <QString>

namespace lumelle {

// Takes the window's choices from its settings file: the Form1 list indexes, colours and
// offsets and the palette mode of FormColorOptions. False with `error` when it cannot be read.
bool ApplySettingsFile(const QString& path, ConvertOptions& options, QString& error);

} // namespace lumelle
