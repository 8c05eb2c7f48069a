// A file of pictures the main window has loaded (a Blu-ray PGS stream, a VobSub pair, a DVD
// .sup or a BDN XML index): the stream it shows and writes, and its pictures drawn as the chosen
// output form gets them, for the list, the preview and the run. The reading and drawing are the
// core's, as lumelle-convert uses them.
#pragma once

#include "bdn/PictureFile.h"
#include "convert/TimedPicture.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace lumelle {

struct MainWindowControls;

class LoadedPictures
{
public:
    // Stream `stream` of `file`, which holds at least one picture in it.
    LoadedPictures(pgs::PictureFile file, int stream);

    const pgs::PictureFile& file() const { return m_file; }
    int stream() const { return m_stream; }

    // The pictures of the stream with their times as they will be written with `settings`.
    std::vector<PictureTimes> times(const pgs::PgsSourceSettings& settings);
    // A new source of the stream drawn with `settings`, for a run.
    std::shared_ptr<PictureSource> source(const pgs::PgsSourceSettings& settings) const;
    // Draws picture `index` over `surface` (a picture of the form's frame) as a writer of
    // `form` gets it: in full colour, or in the four inks of a DVD picture. False when the
    // stream has no such picture.
    bool drawOver(QImage& surface, int index, const PictureForm& form,
                  const pgs::PgsSourceSettings& settings);

private:
    // The source planned for `form` and `settings`, kept while neither changes.
    PictureSource& planned(const PictureForm& form, const pgs::PgsSourceSettings& settings);

    pgs::PictureFile m_file;
    int m_stream = 0;
    std::shared_ptr<PictureSource> m_planned;
    PictureForm m_plannedForm;
    pgs::PgsSourceSettings m_plannedSettings;
};

// How the window's controls have pictures drawn: at the rate and the DVD frame of the frame
// rate, with the window's outline and antialias colours as the DVD picture's inks; `forced`
// marks every picture forced.
pgs::PgsSourceSettings PictureSettingsOf(const MainWindowControls& controls, bool forced);
// The form the chosen output form draws in: full colour at the Blu-ray frame, else DVD inks.
PictureForm PictureFormOf(const MainWindowControls& controls);

// A list row of a picture: when it shows and hides at `rate`, and "forced" when it is.
QString PictureRowText(const PictureTimes& times, FrameRate rate);

} // namespace lumelle
