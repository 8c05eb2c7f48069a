// Reading a BDN XML index (the form Blu-ray authoring programs take subtitles in) with its PNG
// pictures: each event's times by the index's frame rate and drop-frame flag, its forced flag
// and its pictures with their places. What cannot be read (a bad timecode, a missing or broken
// picture) is named with its event and left out; the rest is read.
#pragma once

#include "pgs/InkReduction.h"
#include "pgs/PictureList.h"

#include <QByteArray>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lumelle::bdn {

struct BdnGraphic
{
    QRect box;      // where the picture lies in the frame
    QByteArray png; // the picture file's bytes, decoded when drawn
};

struct BdnEvent
{
    long long start = 0; // 90 kHz ticks
    long long end = 0;
    bool forced = false;
    std::vector<BdnGraphic> graphics;
    pgs::SourceInks inks; // its text and outline colours, from its pixels
};

struct BdnIndex
{
    QSize frame;
    std::vector<BdnEvent> events; // in show order
    QStringList problems;         // one line each, naming the event
};

// A BDN frame rate as the index names it ("23.976", "25", "29.97") as frames per second,
// numerator and denominator; false for a rate BDN has not.
bool BdnRate(const QString& name, long long& numerator, long long& denominator);

// The frame a "HH:MM:SS:FF" timecode names at a rate of `numerator`/`denominator` frames a
// second, counted at the rate's whole number of frames a second; with `dropFrame` (29.97 and
// 59.94 only) the first two (or four) frame numbers of each minute but every tenth are
// skipped. -1 when the text is no timecode of that rate.
long long BdnTimecodeFrame(const QString& text, long long numerator, long long denominator,
                           bool dropFrame);

// Whether `head` (the first bytes of a file) opens a BDN index: its root element <BDN.
bool LooksLikeBdn(const QByteArray& head);
bool IsBdnFile(const QString& path);

// Reads the index at `path` and the pictures it names, beside it. Throws Error when the file is
// no BDN index that can be read (unreadable, not XML, a format or rate BDN has not).
BdnIndex ReadBdnFile(const QString& path);

// The events of `index` as pictures to draw.
std::shared_ptr<const pgs::PictureList> BdnPictures(std::shared_ptr<const BdnIndex> index);

} // namespace lumelle::bdn
