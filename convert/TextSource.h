// Pictures drawn from a subtitle list with the text renderer: subtitles that overlap in time
// cut into segments (the show plan), each segment's lines laid out and drawn as one picture.
#pragma once

#include "convert/PictureSource.h"
#include "convert/ShowPlan.h"
#include "render/RenderSettings.h"
#include "render/TextBlock.h"
#include "subtitle/Subtitle.h"

#include <vector>

namespace lumelle {

class TextPictureSource : public PictureSource
{
public:
    // `list` must outlive the source. `forced`: every picture is marked forced.
    TextPictureSource(const TSubtitle& list, const RenderSettings& settings, bool forced = false);

    void useForm(const PictureForm& form) override;
    void plan(const std::function<void(int startFrame, int number)>& checkStart) override;
    int count() const override;
    PictureTimes times(int index) const override;
    int merged() const override;
    PalettePlan palette() const override;
    QStringList notes() const override;
    void startWorkers(int workers) override;
    TimedPicture draw(int index, int worker) override;
    const SubtitleImage& drawShown(int index) override;

private:
    std::vector<SubtitleLine> entriesOf(const ShowSegment& segment) const;
    // The text inks each planned picture asks for; `mixed` gets the subtitles that ask for
    // more than the form shows in one picture (full colour: one; four inks: two). Throws Error
    // for a picture taller than the frame.
    std::vector<PictureInks> askedInks(std::vector<int>& mixed) const;
    // The palette of the four-ink form, each picture's inks drawn with it, and the notes.
    void planPalette(std::vector<PictureInks> asked, const std::vector<int>& mixed);
    // The settings picture `index` is drawn with: its own text inks, when the file asks.
    RenderSettings settingsOf(int index) const;

    // How one picture is drawn when the file colours it.
    struct PictureDraw
    {
        PictureInks inks;
        ColorValue outline = 0;
    };

    const TSubtitle& m_list;
    RenderSettings m_settings;
    bool m_forced = false;
    ShowPlan m_plan;
    PalettePlan m_palette;
    std::vector<PictureDraw> m_draws; // per picture; empty when every one is the window's
    QStringList m_notes;
    std::vector<SubtitleImage> m_images;     // one drawing space per worker: layers only
    bool m_colour = false;                   // pictures drawn in full colour at m_settings.frame
    std::vector<ColourImage> m_colourImages; // one per worker, in full colour
    SubtitleImage m_shown;                   // the pictures drawn to be shown, with pixels
};

} // namespace lumelle
