// The main window's preview and width check: the frame's background picture with the sample
// text or the selected subtitle drawn over it as the output draws it, and the refusal, with a
// message, of a subtitle too wide for the frame.
#pragma once

#include "render/RenderSettings.h"
#include "subtitle/Subtitle.h"

#include <QCoreApplication>
#include <QImage>
#include <string>

class QWidget;

namespace lumelle {

struct LoadedSubtitle;
struct MainWindowControls;

class PreviewDrawing
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    static constexpr const char* SampleLine1 = "Ostravel.";
    static constexpr const char* SampleLine2 = "Ostra Valley";

    // Draws on `controls.preview` and writes the flags of `loaded`; both outlive this.
    PreviewDrawing(MainWindowControls& controls, LoadedSubtitle& loaded);

    // Sizes the preview to the frame of the current frame rate and loads its background.
    void loadBackground();

    // Draws `entry` as the output draws it: every line, its styles, broken when allowed, and
    // placed inside the frame; or refuses it when it is too wide or too tall. `number` names
    // the subtitle in the refusal (0: none, the sample).
    void drawEntry(int number, const SubtitleLine& entry, const RenderSettings& settings);
    // The selected row of the loaded file, when one is loaded and selected.
    void drawSelected();
    // The preview drawn again with the current settings: the sample, then the selected row.
    void drawSampleAndSelected();
    // The background with the selected subtitle over it, when a file is loaded. A run draws its
    // output pictures into the preview, on the blue that the preview keys out; this brings the
    // background back after it.
    void showSelectedOrBackground();
    // A picture of a run, shown at its own size.
    void showRunPicture(const QImage& picture);

    // Every line of `entry`, broken when the settings allow, against the frame width; a refusal
    // names subtitle `number` (0: none).
    void checkEntry(int number, const SubtitleLine& entry, const RenderSettings& settings);
    // The refusal of a subtitle too wide, worded for a loaded file or for one being loaded.
    void reportTooWide(int number, const std::string& line1, const std::string& line2);
    // Checks every subtitle of the loaded file against the frame width, stopping at the first
    // refused one; a script, which libass places, passes. Returns the flag LinesFit.
    bool checkAllLines();
    // Before a run: the flags speak of the last check and the settings may have changed since,
    // so every subtitle is checked again; the first too wide is refused with the message.
    bool allSubtitlesFit();

    // Asks for the user's PAL picture, then the NTSC one; a chosen one becomes the background.
    void choosePictures(QWidget* parent);

    // The preview picture as last drawn (background plus subtitle).
    const QImage& picture() const { return m_picture; }

private:
    void showTooWide(int number, const std::string& line1, const std::string& line2,
                     const char* tail);
    // Picture `row` of the loaded pictures over the background, as the chosen form writes it;
    // the bare background for no row.
    void drawPicture(int row);
    // The selected event of the script over the background picture.
    void drawScriptEntry(const SubtitleLine& entry);

    MainWindowControls& m_controls;
    LoadedSubtitle& m_loaded;
    QImage m_picture;
};

} // namespace lumelle
