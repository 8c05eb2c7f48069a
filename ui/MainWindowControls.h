// The main window's controls, group by group, and the dialogs without a face: made by the
// window's layout, owned by the window (they are its children), read and set by its parts.
#pragma once

#include "platform/widgets/FileDialogs.h"
#include "render/RenderSettings.h"

#include <QSize>
#include <QtGlobal>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;

namespace lumelle {

class ColorListWidget;
class PreviewView;

struct MainWindowControls
{
    // --- Controls outside the group boxes
    PreviewView* preview = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* ButtonGenerate = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* LabelImageChangedPAL = nullptr;
    QLabel* LabelImageChangedNTSC = nullptr;

    // --- Input
    QGroupBox* GroupBoxInput = nullptr;
    QLineEdit* EditLoadSrt = nullptr;
    QPushButton* ButtonLoadSrt = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBoxFps = nullptr;

    // --- Output
    QGroupBox* GroupBoxOutput = nullptr;
    QLabel* Label14 = nullptr;
    QComboBox* ComboBoxVobsubLanguage = nullptr;

    // --- Render Fonts
    QGroupBox* GroupBoxRender = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLabel* Label11 = nullptr;
    QComboBox* ComboBox7 = nullptr;
    QLabel* Label12 = nullptr;
    QComboBox* ComboBox8 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* ComboBoxFontSize = nullptr;
    QLabel* LabelAlign = nullptr;
    QComboBox* ComboBoxAlign = nullptr;
    QLabel* Label10 = nullptr;
    QSlider* offset = nullptr;
    QSlider* offset_or = nullptr;
    QLabel* LabelOffset = nullptr;
    QLabel* LabelOffset_Or = nullptr;
    QLabel* Label13 = nullptr;
    QComboBox* ComboBoxOutlineWidth = nullptr;
    QCheckBox* CheckBoxWrap = nullptr;

    // --- Colors
    QGroupBox* GroupBoxColors = nullptr;
    QLabel* Label3 = nullptr;
    ColorListWidget* JvColorButtonAntialias = nullptr;
    QLabel* Label4 = nullptr;
    ColorListWidget* JvColorButtonOutline = nullptr;
    QLabel* Label5 = nullptr;
    ColorListWidget* JvColorButtonText = nullptr;
    QPushButton* ButtonColorOptions = nullptr;

    // --- General Settings
    QGroupBox* GroupBoxSettings = nullptr;
    QPushButton* BitBtnSetDefaultValues = nullptr;
    QPushButton* BitBtnChangeImage = nullptr;
    QPushButton* ButtonAbout = nullptr;

    // --- Where the output goes: a row under the preview. The chosen folder is kept in the
    // hidden label (stored in the settings file); empty means beside the subtitle file.
    QGroupBox* GroupBoxOutputFolder = nullptr;
    QLabel* LabelOutputFolder = nullptr;
    QLineEdit* EditOutputFolder = nullptr;
    QPushButton* ButtonOutputFolder = nullptr;
    QPushButton* ButtonOutputBeside = nullptr;

    // --- A column right of the preview: the output form, the files of more languages written
    // into the same output, and how WebVTT captions are read. The chosen form's key is kept in
    // the hidden label (stored in the settings file).
    QGroupBox* GroupBoxPair = nullptr;
    QComboBox* ComboBoxOutputForm = nullptr;
    QLabel* LabelOutputForm = nullptr;
    // The frame a Blu-ray form is written at ("1920x1080"), kept in the hidden label as well.
    QComboBox* ComboBoxFrameSize = nullptr;
    QLabel* LabelFrameSize = nullptr;
    // Row 0 is the loaded file, in the language of the Output group; then the files added.
    QListWidget* ListStreams = nullptr;
    QComboBox* ComboBoxStreamLanguage = nullptr;
    QCheckBox* CheckBoxStreamForced = nullptr;
    QPushButton* ButtonAddStream = nullptr;
    QPushButton* ButtonRemoveStream = nullptr;
    QCheckBox* CheckBoxRollingCaptions = nullptr;

    // --- Dialogs without a face. The subtitle dialog's file name is the current subtitle file.
    platform::TOpenDialog OpenDialogsub;
    platform::TOpenDialog OpenDialogImagePAL;
    platform::TOpenDialog OpenDialogImageNTSC;
};

// The settings the render controls show: font, size, style, place, outline and colours.
RenderSettings RenderSettingsOf(const MainWindowControls& controls);

// The frame the chosen output form draws in: the chosen Blu-ray frame for a Blu-ray form;
// empty for a DVD form, which draws at the frame of its video standard.
QSize OutputFrameOf(const MainWindowControls& controls);

// The character set of ComboBox7: the font's, and the one a file is read in.
quint8 CharsetOf(const MainWindowControls& controls);

} // namespace lumelle
