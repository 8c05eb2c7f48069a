#include "convert/JoinedSource.h"

#include "platform/Error.h"
#include "subtitle/ForcedMarks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace lumelle {

JoinedPictureSource::JoinedPictureSource(std::vector<Input> inputs) : m_inputs(std::move(inputs)) {}

// Runs `step` of stream `stream`; an Error from it is thrown again naming the stream's file,
// since each file counts its subtitles from 1.
template <typename F> auto JoinedPictureSource::named(int stream, F&& step) -> decltype(step())
{
    try {
        return step();
    } catch (const Error& e) {
        throw Error(QStringLiteral("%1: %2").arg(m_inputs[std::size_t(stream)].name, e.message()));
    }
}

void JoinedPictureSource::useForm(const PictureForm& form)
{
    for (Input& input : m_inputs)
        input.source->useForm(form);
}

void JoinedPictureSource::plan(const std::function<void(int startFrame, int number)>& checkStart)
{
    m_order.clear();
    for (int stream = 0; stream < int(m_inputs.size()); ++stream) {
        PictureSource& source = *m_inputs[std::size_t(stream)].source;
        named(stream, [&] { source.plan(checkStart); });
        for (int i = 0; i < source.count(); ++i)
            m_order.push_back({stream, i});
    }
    // Each unit's packs are written whole, so streams meet only between units; in start
    // order, as players read the stream.
    std::stable_sort(m_order.begin(), m_order.end(), [&](const Place& a, const Place& b) {
        return m_inputs[std::size_t(a.stream)].source->times(a.index).start <
               m_inputs[std::size_t(b.stream)].source->times(b.index).start;
    });
}

int JoinedPictureSource::count() const
{
    return int(m_order.size());
}

PictureTimes JoinedPictureSource::times(int index) const
{
    const Place& place = m_order[std::size_t(index)];
    PictureTimes times = m_inputs[std::size_t(place.stream)].source->times(place.index);
    times.stream = place.stream;
    return times;
}

int JoinedPictureSource::merged() const
{
    int merged = 0;
    for (const Input& input : m_inputs)
        merged += input.source->merged();
    return merged;
}

PalettePlan JoinedPictureSource::palette() const
{
    PalettePlan joined;
    for (const Input& input : m_inputs) {
        for (const ColorValue colour : input.source->palette().extra) {
            if (joined.extra.size() < kPaletteExtraEntries &&
                std::find(joined.extra.begin(), joined.extra.end(), colour) == joined.extra.end())
                joined.extra.push_back(colour);
        }
    }
    return joined;
}

int JoinedPictureSource::skipped() const
{
    int skipped = 0;
    for (const auto& input : m_inputs)
        skipped += input.source->skipped();
    return skipped;
}

QStringList JoinedPictureSource::notes() const
{
    QStringList notes;
    for (const Input& input : m_inputs) {
        for (const QString& note : input.source->notes())
            notes << QStringLiteral("%1: %2").arg(input.name, note);
    }
    return notes;
}

std::vector<int> JoinedPictureSource::picturesPerStream() const
{
    std::vector<int> counts;
    for (const Input& input : m_inputs)
        counts.push_back(input.source->count());
    return counts;
}

void JoinedPictureSource::startWorkers(int workers)
{
    for (const Input& input : m_inputs)
        input.source->startWorkers(workers);
}

TimedPicture JoinedPictureSource::draw(int index, int worker)
{
    const Place& place = m_order[std::size_t(index)];
    TimedPicture picture = named(place.stream, [&] {
        return m_inputs[std::size_t(place.stream)].source->draw(place.index, worker);
    });
    picture.times.stream = place.stream;
    return picture;
}

const SubtitleImage& JoinedPictureSource::drawShown(int index)
{
    const Place& place = m_order[std::size_t(index)];
    return m_inputs[std::size_t(place.stream)].source->drawShown(place.index);
}

QString JoinedPairNameFile(const QString& firstStream)
{
    const QFileInfo info(firstStream);
    const StreamFileName name = ReadStreamFileName(info.fileName());
    return QDir(info.path()).filePath(name.stem + QStringLiteral(".srt"));
}

} // namespace lumelle
