// Fuzzes the readers of picture subtitles on the same bytes: a Blu-ray PGS stream (each screen
// drawn too), a DVD .sup, and the .sub of a VobSub pair with a fixed index. Damaged input must
// be read as far as it goes, with its problems named, and never crash or read out of bounds.
#include "FuzzSupport.h"
#include "pgs/PgsReader.h"
#include "render/Picture.h"
#include "vobsub/VobSubReader.h"

#include <QByteArray>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lumelle::fuzz::startQt();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const lumelle::pgs::ReadStream pgs = lumelle::pgs::ReadPgs(data, size);
    int drawn = 0;
    for (const lumelle::pgs::ReadDisplay& display : pgs.displays) {
        // A few screens of a sane size are enough to reach the drawing; a declared 4096x4096
        // object would only spend the run's time on clearing memory.
        const QRect box = display.box();
        if (drawn >= 4 || qint64(box.width()) * box.height() > (1 << 20))
            continue;
        lumelle::ColourImage image;
        lumelle::pgs::ComposeDisplay(display, image);
        ++drawn;
    }

    const lumelle::DvdRead sup = lumelle::ReadDvdSup(data, size);
    const QByteArray index = "# VobSub index file, v7 (do not modify this line!)\n"
                             "size: 720x576\n"
                             "palette: 000000, ffffff, 808080, 000000, 000000, 000000, 000000, "
                             "000000, 000000, 000000, 000000, 000000, 000000, 000000, 000000, "
                             "000000\n"
                             "id: en, index: 0\n"
                             "timestamp: 00:00:01:000, filepos: 000000000\n";
    const lumelle::DvdRead pair = lumelle::ReadVobSub(index, data, size);
    for (const lumelle::DvdRead* read : {&sup, &pair})
        for (const lumelle::DvdStream& stream : read->streams)
            for (const lumelle::DvdPicture& picture : stream.pictures)
                if (picture.pixels.size() !=
                    std::size_t(picture.area.width()) * std::size_t(picture.area.height()))
                    __builtin_trap(); // every picture holds exactly its area's pixels
    return 0;
}
