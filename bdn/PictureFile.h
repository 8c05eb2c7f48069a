// A file of pictures read whole, known by what it holds under any name: a Blu-ray PGS stream,
// a BDN XML index with its pictures, or DVD subtitles (a VobSub pair, given by either of its
// files, or a DVD .sup); and the picture source that draws one of its streams for any writer.
// The window and lumelle-convert both read pictures through this. It lies above every reader of
// pictures, BDN's too, and names its pieces as the picture sources of pgs/ do.
#pragma once

#include "convert/PictureSource.h"
#include "pgs/PgsPictureSource.h"
#include "pgs/PictureList.h"
#include "render/Picture.h"
#include "vobsub/DvdPicture.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

namespace lumelle::pgs {

struct PictureFile
{
    // PGS and BDN: the pictures, one stream. DVD: `dvd`, each of its streams.
    std::shared_ptr<const PictureList> pictures;
    std::shared_ptr<DvdRead> dvd;
    QStringList files;    // every file read (both of a pair), so that no output replaces one
    QStringList problems; // what could not be read, one line each with its position
    QSize frame;          // the frame the pictures were made for; empty when unknown

    // How many streams it holds: a DVD file's own, one for any other.
    int streamCount() const;
    // The pictures of stream `stream` (of streamCount()).
    int pictureCount(int stream) const;
    // The stream players pick first.
    int defaultStream() const;
};

// Whether `path` holds pictures rather than text, by its first bytes.
bool IsPictureFile(const QString& path);
// Whether it holds DVD subtitles (a VobSub .idx or .sub, or a DVD .sup).
bool IsDvdPictureFile(const QString& path);

// Reads `path` whole. Throws Error when it cannot be read at all; damage is read past and
// named in `problems`.
PictureFile ReadPictureFile(const QString& path);

// DVD subtitles without a palette (a DVD .sup, a .sub without its index) are taken to hold our
// own entries: antialias, outline, text and the background in entries 0 to 3, in `inks`.
void UseOwnPalette(DvdRead& read, const LayerInks& inks);

// The source of stream `stream` of `file`, drawn with `settings`. DVD pictures are anamorphic:
// they show at the shape `settings.wide` names, as the ones written do.
std::shared_ptr<PictureSource> PictureFileSource(const PictureFile& file, int stream,
                                                 PgsSourceSettings settings);

} // namespace lumelle::pgs
