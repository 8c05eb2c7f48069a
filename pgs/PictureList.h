// The pictures a file of pictures holds, as the picture source of pgs/ draws them: when each
// shows, the frame it was made for, its two colours and its pixels. A PGS stream and a BDN
// index each give one.
#pragma once

#include "pgs/InkReduction.h"
#include "pgs/PgsReader.h"

#include <memory>

namespace lumelle::pgs {

class PictureList
{
public:
    virtual ~PictureList() = default;
    virtual int count() const = 0;
    // In 90 kHz ticks; an end of -1: the file never hides the picture.
    virtual long long start(int index) const = 0;
    virtual long long end(int index) const = 0;
    virtual bool forced(int index) const = 0;
    virtual QSize frame(int index) const = 0; // empty: the output's frame
    virtual SourceInks inks(int index) const = 0;
    // Draws picture `index` in full colour; called on several threads at once.
    virtual void compose(int index, ColourImage& image) const = 0;
};

// The displays of a read PGS stream as such a list.
std::shared_ptr<const PictureList> PgsPictures(std::shared_ptr<const ReadStream> stream);

} // namespace lumelle::pgs
