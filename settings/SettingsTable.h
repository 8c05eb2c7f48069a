// The window's choices in one place: the ranges of its track bars, its colour sets, its font
// list and the keys under which the settings file keeps them. The window, the command-line
// converter and the settings store all read this table, so that a settings file written by the
// window reads the same in lumelle-convert.
#pragma once

#include "platform/Colour.h"

#include <QString>
#include <QStringList>
#include <array>

namespace lumelle {

// The frame rate and the stream language chosen at start: entries of FrameRateTexts() and of
// the language list.
inline constexpr char kDefaultFrameRate[] = "25000";
inline constexpr char kDefaultLanguage[] = "el GREEK";

// The offset track bar: the first line's height above the frame's bottom margin.
constexpr int kOffsetMin = 8;
constexpr int kOffsetMax = 492;
constexpr int kOffsetDefault = 30;
// The line-gap track bar: only even gaps; an odd one moves up to the next even value.
constexpr int kLineGapMin = -14;
constexpr int kLineGapMax = 0;
constexpr int kLineGapDefault = -4;
constexpr int EvenLineGap(int gap)
{
    return gap % 2 != 0 ? gap + 1 : gap;
}

// The colour lists of the window: the standard set of fifteen named colours, and the safe set
// offered with the safe palette.
const std::array<ColorValue, 15>& StandardColours();
const std::array<ColorValue, 7>& SafeColours();

// The entry each colour list shows first, in both sets: antialias, outline, text.
constexpr int kAntialiasColourIndex = 1;
constexpr int kOutlineColourIndex = 0;
constexpr int kTextColourIndex = 2;

// The font list: "Arial" first, then every installed family.
QStringList FontListNames();

// Sections of the settings file and the names of the controls kept in them.
inline constexpr char kMainWindowSection[] = "Form1";
inline constexpr char kColorOptionsSection[] = "FormColorOptions";
namespace control {
inline constexpr char kFontName[] = "ComboBox5";
inline constexpr char kFontSize[] = "ComboBoxFontSize";
inline constexpr char kCharset[] = "ComboBox7";
inline constexpr char kStyle[] = "ComboBox8";
inline constexpr char kAlign[] = "ComboBoxAlign";
inline constexpr char kFps[] = "ComboBoxFps";
inline constexpr char kOutlineWidth[] = "ComboBoxOutlineWidth";
inline constexpr char kLanguage[] = "ComboBoxVobsubLanguage";
inline constexpr char kAntialiasColour[] = "JvColorButtonAntialias";
inline constexpr char kOutlineColour[] = "JvColorButtonOutline";
inline constexpr char kTextColour[] = "JvColorButtonText";
inline constexpr char kOffset[] = "offset";
inline constexpr char kLineGap[] = "offset_or";
inline constexpr char kWrapLines[] = "CheckBoxWrap";
inline constexpr char kPicturePal[] = "LabelImageChangedPAL";
inline constexpr char kPictureNtsc[] = "LabelImageChangedNTSC";
inline constexpr char kOutputFolder[] = "LabelOutputFolder";
inline constexpr char kOutputForm[] = "LabelOutputForm";
inline constexpr char kFrameSize[] = "LabelFrameSize";
inline constexpr char kRollingCaptions[] = "CheckBoxRollingCaptions";
inline constexpr char kPaletteDvd[] = "RadioButtonDVD";
inline constexpr char kPalettePc[] = "RadioButtonPC";
inline constexpr char kPaletteTwo[] = "RadioButtonPCDVD1";
inline constexpr char kPaletteSafe[] = "RadioButtonPCDVD2";
} // namespace control

// The properties each window keeps, as "Control.Property", in the order they are written.
const QStringList& MainWindowStoredProps();
const QStringList& ColorOptionsStoredProps();

// The key of one value in the settings file: "Form1" and "offset_Position" give
// "Form1\offset_Position".
QString SettingsKey(const QString& section, const QString& name);
// The key of a control's property: "Form1", "offset" and "Position" give "Form1\offset_Position".
QString SettingsKey(const QString& section, const QString& controlName, const QString& property);

} // namespace lumelle
