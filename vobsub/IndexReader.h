// Reading the .idx text of a VobSub pair: the frame size, the 16-entry palette, the custom
// colours, the default stream, and per stream its language, alternative name and timestamp
// lines with the delays put between them.
#pragma once

#include "vobsub/DvdPicture.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace lumelle {

struct IndexEntry
{
    long long start = 0;     // 90 kHz ticks, with every delay and the time offset applied
    std::size_t filepos = 0; // of the unit's first pack in the .sub
    int line = 0;            // in the .idx, from 1
};

struct ReadIndexStream
{
    int index = 0;
    QString code;
    QString alt;
    std::vector<IndexEntry> entries;
};

struct IndexContents
{
    QSize frame;
    bool palette = false; // a palette line was read
    // The palette was written in Y/Cr/Cb form by our own writer and is read as RGB all the same.
    bool yCrCbPalette = false;
    DvdRead colours; // palette and custom colours only
    int languageIndex = 0;
    std::vector<ReadIndexStream> streams;
    std::vector<DvdProblem> problems; // `offset` is the line number
};

// Whether `head` opens a VobSub index: its first line names the form.
bool LooksLikeVobSubIndex(const QByteArray& head);

IndexContents ReadIndexText(const QByteArray& text);

} // namespace lumelle
