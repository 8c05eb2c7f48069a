// Reading DVD subtitles back into pictures: a VobSub pair (the .idx index with the .sub
// program stream beside it) or the DVD .sup form of authoring programs. Both are known by
// their bytes under any name; damage is read past and named with its byte position.
#pragma once

#include "vobsub/DvdPicture.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace lumelle {

enum class DvdFileKind { None, VobSubIndex, VobSubStream, DvdSup };

// What `path` holds, by its first bytes; None for anything else or a file that cannot be read.
DvdFileKind DvdFileKindOf(const QString& path);

struct VobSubFiles
{
    QString idx; // empty: a .sub read without its index
    QString sub;
};

// The pair `path` (either file of it) belongs to: the file of the other kind beside it with
// the same name, its extension in any case. Throws Error when the .sub of an index is missing.
VobSubFiles VobSubFilesOf(const QString& path);

// The pictures of a pair. Without `idxText` (a .sub on its own) the times come from the packs'
// time stamps and the colours from a palette of greys.
DvdRead ReadVobSub(const QByteArray& idxText, const std::uint8_t* sub, std::size_t size);
// The same from files; throws Error with the system's reason when one cannot be read.
DvdRead ReadVobSubFiles(const VobSubFiles& files);

// The pictures of a DVD .sup: "SP", the start in 8 little-endian bytes, then the unit.
DvdRead ReadDvdSup(const std::uint8_t* data, std::size_t size);
DvdRead ReadDvdSupFile(const QString& path);

} // namespace lumelle
