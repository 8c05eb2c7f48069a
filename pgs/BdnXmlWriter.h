// The BDN XML form Blu-ray authoring programs take subtitles in: a folder of its own, NAME_bdn/,
// holding NAME.xml, an index of events with their times as timecodes of the frame rate, and one
// PNG picture with alpha per subtitle picture (NAME_0001.png, ...), drawn in full colour at a
// Blu-ray frame size; a top and a bottom subtitle shown together are two graphics of one event,
// the second in NAME_0001_2.png. The folder is written aside and put in place whole.
#pragma once

#include "convert/PictureWriter.h"
#include "output/OutputFiles.h"
#include "output/StagedFolder.h"
#include "pgs/BluRayForm.h"

#include <QRect>
#include <memory>
#include <vector>

namespace lumelle {

class BdnXmlWriter : public PictureWriter
{
public:
    explicit BdnXmlWriter(const BluRayOptions& options);

    static const OutputSet& xmlFile();
    // The picture file of graphic `part` (0 or 1) of picture `index` (from 0) of `count` beside
    // the index `xmlPath`, named after it in the spelling the index gives.
    static QString PicturePath(const QString& xmlPath, int index, int count, int part = 0);

    const OutputSet& outputs() const override;
    PictureForm form() const override;
    void checkStart(int startFrame, int number) const override;
    void planStreams(const std::vector<int>& picturesPerStream) override;
    void open(const QStringList& paths) override;
    EncodedPicture encode(const TimedPicture& picture) const override;
    void write(const PictureTimes& times, const EncodedPicture& encoded) override;
    void commit() override;
    void discard() override;

    // The index for `events`, as written at commit.
    struct Graphic
    {
        QRect box;       // where the picture goes in the frame
        QString picture; // its file name
    };
    struct Event
    {
        PictureTimes times;
        std::vector<Graphic> graphics; // one or two
    };
    static QString IndexText(const BluRayOptions& options, const QString& title,
                             const std::vector<Event>& events);

private:
    BluRayOptions m_options;
    std::unique_ptr<StagedFolder> m_folder;
    QString m_xmlPath;
    int m_count = 0;
    int m_index = 0;
    std::vector<Event> m_events;
};

} // namespace lumelle
