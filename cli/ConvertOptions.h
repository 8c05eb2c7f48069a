// Command-line options of lumelle-convert: the window's settings, given as options.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"
#include "vobsub/Palette.h"

#include <QString>
#include <QStringList>

namespace lumelle {

struct ConvertOptions
{
    QStringList files;
    QString fpsText = QLatin1String(kDefaultFrameRate);
    RenderSettings settings; // the window's defaults
    PaletteMode mode = PaletteMode::PcDvdTwoPalettes;
    QString languageText = QLatin1String(kDefaultLanguage);
    QString outputFolder;
    QString settingsFile;
    bool listOnly = false;
};

enum class ParseOutcome { Run, Help, Error };

// Reads the arguments (the program name first) into `options`. On a bad option or value the
// outcome is Error and `error` says what is wrong.
ParseOutcome ParseConvertOptions(const QStringList& arguments, ConvertOptions& options,
                                 QString& error);

QString ConvertHelpText();

// A colour given as a name ("white", "clWhite"), "#RRGGBB" or "R,G,B"; false when unreadable.
bool ParseColour(const QString& text, ColorValue& colour);

// Takes the window's choices from its settings file: the Form1 list indexes, colours and
// offsets and the palette mode of FormColorOptions. False with `error` when it cannot be read.
bool ApplySettingsFile(const QString& path, ConvertOptions& options, QString& error);

// The message of the first subtitle with a line 680 pixels wide or wider in `settings`' font,
// or an empty text when every line fits.
QString FirstTooWideSubtitle(const TSubtitle& list, const RenderSettings& settings);

} // namespace lumelle
