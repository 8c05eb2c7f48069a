// What a run draws from: one read subtitle file turned into timed pictures in show order.
#pragma once

#include "convert/PalettePlan.h"
#include "convert/TimedPicture.h"

#include <QStringList>
#include <functional>
#include <vector>

namespace lumelle {

class PictureSource
{
public:
    virtual ~PictureSource() = default;

    // Before plan(): the form the writer needs, four inks at the DVD frame or full colour at the
    // form's frame; every source draws both.
    virtual void useForm(const PictureForm& form) = 0;
    // Reads every subtitle's times and plans the pictures, before any file is touched.
    // `checkStart` sees each subtitle's start frame and number, in list order, so that a
    // writer can refuse a time its form cannot hold. Throws Error for a subtitle that cannot
    // be shown (a picture taller than the frame).
    virtual void plan(const std::function<void(int startFrame, int number)>& checkStart) = 0;
    // The pictures planned, in show order.
    virtual int count() const = 0;
    virtual PictureTimes times(int index) const = 0;
    // Subtitles that share a picture with another during part of their time.
    virtual int merged() const = 0;
    // The palette entries the planned pictures need besides the window's colours; a picture's
    // text layer is painted in one of them or in the window's text colour.
    virtual PalettePlan palette() const { return {}; }
    // What the user should know about how the planned pictures show the file (colours drawn
    // otherwise than asked, characters no font can draw), one line each.
    virtual QStringList notes() const { return {}; }
    // After plan(): how many subtitles cannot be drawn and are left out (each named in notes()).
    virtual int skipped() const { return 0; }
    // How many of the planned pictures each stream has (PictureTimes::stream): one stream
    // unless the source joins several.
    virtual std::vector<int> picturesPerStream() const { return {count()}; }

    // Readies drawing on `workers` threads; worker w draws from one thread only.
    virtual void startWorkers(int workers) = 0;
    // Draws picture `index` on worker `worker`. The picture's layers stay valid until that
    // worker draws the next one.
    virtual TimedPicture draw(int index, int worker) = 0;
    // Draws picture `index` with its pixels, to be shown; on the run's own thread.
    virtual const SubtitleImage& drawShown(int index) = 0;
};

} // namespace lumelle
