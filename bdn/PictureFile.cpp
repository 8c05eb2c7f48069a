#include "bdn/PictureFile.h"

#include "bdn/BdnReader.h"
#include "pgs/DvdPictureSource.h"
#include "pgs/PgsReader.h"
#include "platform/Colour.h"
#include "vobsub/VobSubReader.h"

#include <QFileInfo>

namespace lumelle::pgs {

namespace {

PictureFile readDvd(const QString& path)
{
    PictureFile file;
    if (DvdFileKindOf(path) == DvdFileKind::DvdSup) {
        file.dvd = std::make_shared<DvdRead>(ReadDvdSupFile(path));
        file.files = {path};
    } else {
        const VobSubFiles pair = VobSubFilesOf(path);
        file.dvd = std::make_shared<DvdRead>(ReadVobSubFiles(pair));
        if (pair.idx.isEmpty())
            file.dvd->problems.insert(file.dvd->problems.begin(),
                                      {path, 0,
                                       QStringLiteral("no .idx beside it: the times come from "
                                                      "the packs, the colours from the options")});
        file.files = pair.idx.isEmpty() ? QStringList{pair.sub} : QStringList{pair.idx, pair.sub};
    }
    for (const DvdProblem& problem : file.dvd->problems) {
        // A problem of the other file of a pair names that file.
        const QString where = problem.file.isEmpty() || problem.file == path
                                  ? QString()
                                  : QFileInfo(problem.file).fileName() + QStringLiteral(": ");
        file.problems << where + problem.message;
    }
    file.frame = file.dvd->frame;
    return file;
}

} // namespace

int PictureFile::streamCount() const
{
    return dvd ? int(dvd->streams.size()) : 1;
}

int PictureFile::pictureCount(int stream) const
{
    if (dvd)
        return stream >= 0 && stream < streamCount()
                   ? int(dvd->streams[std::size_t(stream)].pictures.size())
                   : 0;
    return pictures && stream == 0 ? pictures->count() : 0;
}

int PictureFile::defaultStream() const
{
    return dvd && dvd->defaultStream >= 0 && dvd->defaultStream < streamCount() ? dvd->defaultStream
                                                                                : 0;
}

bool IsDvdPictureFile(const QString& path)
{
    return DvdFileKindOf(path) != DvdFileKind::None;
}

bool IsPictureFile(const QString& path)
{
    return IsPgsFile(path) || bdn::IsBdnFile(path) || IsDvdPictureFile(path);
}

PictureFile ReadPictureFile(const QString& path)
{
    if (IsDvdPictureFile(path))
        return readDvd(path);
    PictureFile file;
    file.files = {path};
    if (bdn::IsBdnFile(path)) {
        auto index = std::make_shared<bdn::BdnIndex>(bdn::ReadBdnFile(path));
        file.problems = index->problems;
        file.frame = index->frame;
        file.pictures = bdn::BdnPictures(std::move(index));
        return file;
    }
    auto stream = std::make_shared<ReadStream>(ReadPgsFile(path));
    for (const ReadProblem& problem : stream->problems)
        file.problems << problem.message;
    file.frame = stream->frame;
    file.pictures = PgsPictures(std::move(stream));
    return file;
}

void UseOwnPalette(DvdRead& read, const LayerInks& inks)
{
    if (read.paletteGiven)
        return;
    read.palette[0] = toRgb(inks.antialias);
    read.palette[1] = toRgb(inks.outline);
    read.palette[2] = toRgb(inks.text);
    read.palette[3] = toRgb(kBackgroundBlue);
}

std::shared_ptr<PictureSource> PictureFileSource(const PictureFile& file, int stream,
                                                 PgsSourceSettings settings)
{
    if (!file.dvd)
        return std::make_shared<PgsPictureSource>(file.pictures, settings);
    settings.sourceShape = settings.wide ? 16.0 / 9.0 : 4.0 / 3.0;
    return std::make_shared<DvdPictureSource>(file.dvd, stream, settings);
}

} // namespace lumelle::pgs
