#include "vobsub/VobSubWriter.h"

#include <algorithm>

#include "output/DeviceWriting.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"
#include "vobsub/DvdSup.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
#include "vobsub/Languages.h"
#include "vobsub/ProgramStream.h"
#include "vobsub/SubpictureEncoder.h"

#include <QFileInfo>

namespace lumelle {

namespace {

// The message for a failed write, naming the file and giving the system's reason.
QString writeError(const StagedFile& file, const Error& cause)
{
    return CannotWriteFileMessage(file.finalPath(), cause.message());
}

const OutputKind& helpKind()
{
    static const OutputKind kind{QString(), QByteArray(kHelpFileMagic),
                                 QStringLiteral("a help file of this program")};
    return kind;
}

OutputKind idxKind()
{
    return {QStringLiteral(".idx"), QByteArray(kIndexFileMagic), QStringLiteral("a VobSub file")};
}

OutputKind subKind()
{
    return {QStringLiteral(".sub"),
            QByteArray(reinterpret_cast<const char*>(kPackStartCode.data()),
                       qsizetype(kPackStartCode.size())),
            QStringLiteral("a VobSub file")};
}

OutputKind supKind()
{
    return {
        QStringLiteral(".sup"),
        QByteArray(reinterpret_cast<const char*>(kSupMagic.data()), qsizetype(kSupMagic.size())),
        QStringLiteral("a DVD .sup file")};
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

VobSubWriter::VobSubWriter(const VobSubOptions& options) : m_options(options)
{
    Q_ASSERT(m_options.pair || m_options.sup);
    // Until the run says which streams have pictures, every stream is taken to have some.
    std::vector<int> all(std::max<std::size_t>(1, m_options.streams.size()), 1);
    planStreams(all);
}

const OutputSet& VobSubWriter::pair()
{
    static const OutputSet set{
        {idxKind(), subKind()}, QStringLiteral("pair"), QStringLiteral("_vobsub")};
    return set;
}

const OutputSet& VobSubWriter::pairAndSup()
{
    static const OutputSet set{
        {idxKind(), subKind(), supKind()}, QStringLiteral("files"), QStringLiteral("_vobsub")};
    return set;
}

const OutputSet& VobSubWriter::supOnly()
{
    static const OutputSet set{{supKind()}, QStringLiteral(".sup file"), QStringLiteral("_dvd")};
    return set;
}

const OutputSet& VobSubWriter::outputs() const
{
    if (!m_options.sup)
        return pair();
    return m_options.pair ? pairAndSup() : supOnly();
}

void VobSubWriter::planStreams(const std::vector<int>& picturesPerStream)
{
    m_indexOf.assign(picturesPerStream.size(), -1);
    m_written.clear();
    for (std::size_t stream = 0; stream < picturesPerStream.size(); ++stream) {
        if (picturesPerStream[stream] == 0 && severalStreams())
            continue;
        m_indexOf[stream] = int(m_written.size());
        m_written.push_back(int(stream));
    }
    if (m_written.empty())
        throw Error(QStringLiteral("No stream has a subtitle to show."));
    if (m_written.size() > std::size_t(kMaxSubpictureStreams))
        throw Error(QStringLiteral("A pair holds at most %1 streams.").arg(kMaxSubpictureStreams));
    if (m_options.sup && m_written.size() > 1)
        throw Error(QStringLiteral("A .sup file holds one stream; convert each file on its own."));
}

// The index of the default stream; the first when the chosen one has no pictures.
int VobSubWriter::defaultIndex() const
{
    if (std::size_t(m_options.defaultStream) >= m_indexOf.size())
        return 0;
    return std::max(0, m_indexOf[std::size_t(m_options.defaultStream)]);
}

// The index of a pair with several streams: the settings, the default stream, then each
// stream with pictures and its timestamps.
std::string VobSubWriter::indexText() const
{
    std::string text = IndexSettingsText(m_options.frameRate, m_options.mode, m_options.colours) +
                       LanguageIndexText(defaultIndex());
    for (std::size_t index = 0; index < m_written.size(); ++index) {
        const VobSubStream& stream = m_options.streams[std::size_t(m_written[index])];
        if (index > 0)
            text += "\r\n"; // an empty line between streams
        text += IndexStreamText({stream.code.toStdString(), LanguageName(stream.code).toStdString(),
                                 stream.alt.toStdString()},
                                int(index)) +
                m_timestamps[index];
    }
    return text;
}

PictureForm VobSubWriter::form() const
{
    PictureForm form;
    form.columnShift = kCodedColumnShift;
    return form;
}

void VobSubWriter::usePalette(const PalettePlan& plan)
{
    m_options.colours.extra.assign(
        plan.extra.begin(), plan.extra.begin() + std::ptrdiff_t(std::min<std::size_t>(
                                                     plan.extra.size(), kExtraPaletteSlots)));
}

void VobSubWriter::checkStart(int startFrame, int number) const
{
    PresentationTicks(startFrame, m_options.frameRate, number);
}

void VobSubWriter::open(const QStringList& paths)
{
    discard();
    m_packCount = 0;
    m_timestamps.assign(m_written.size(), std::string());
    if (m_options.pair) {
        m_idx = &m_files.add(paths[0]);
        // A single stream's index is written as the pictures come; several streams' at the
        // end, as each stream's timestamps follow its own header.
        if (!severalStreams()) {
            try {
                WriteIndexHeader(m_idx->device(), m_options.frameRate, m_options.mode,
                                 m_options.colours, m_options.languageText);
            } catch (const Error& e) {
                throw Error(writeError(*m_idx, e));
            }
        }
        m_sub = &m_files.add(paths[1]);
    }
    if (m_options.sup)
        m_sup = &m_files.add(paths.back());
}

void VobSubWriter::placeInk(ColorValue colour, ColorValue& shown, int& slot) const
{
    if (colour == shown)
        return;
    const OutputColours& file = m_options.colours;
    const ColorValue fixed[kFixedPaletteSlots - 1] = {file.antialias, file.outline, file.text};
    for (int k = 0; k < kFixedPaletteSlots - 1; ++k) {
        if (fixed[k] == colour) {
            shown = colour;
            slot = k;
            return;
        }
    }
    const auto at = std::find(file.extra.begin(), file.extra.end(), colour);
    if (at != file.extra.end()) {
        shown = colour;
        slot = kFixedPaletteSlots + int(at - file.extra.begin());
    }
}

EncodedPicture VobSubWriter::encode(const TimedPicture& picture) const
{
    // A band wholly outside the frame has nothing to show; two rows inside it keep the
    // subtitle's place in the stream as an empty picture.
    const int bandHeight = picture.bandHeight >= 2 ? picture.bandHeight : 2;
    // Each layer shows in the palette slot of the colour it is painted in: a text colour of the
    // file in one of the extra inkSlots, a second text colour in the antialias value's. A layer
    // whose colour the palette lacks keeps the window's colour and slot.
    const OutputColours& file = m_options.colours;
    const ColorValue* layers = picture.layers->colours;
    OutputColours shown{file.antialias, file.outline, file.text};
    InkSlots inkSlots;
    placeInk(layers[3], shown.text, inkSlots.text);
    placeInk(layers[1], shown.outline, inkSlots.outline);
    placeInk(layers[2], shown.antialias, inkSlots.antialias);
    try {
        EncodedPicture encoded;
        encoded.bytes = EncodeSubpictureFromMasks(
            *picture.layers, picture.bandTop, bandHeight, shown, picture.times.start,
            picture.times.end, m_options.frameRate, picture.times.number, inkSlots,
            picture.times.forced, ContrastOf(picture.opacity));
        return encoded;
    } catch (const Error& e) {
        // Subtitle numbers count in each file of a pair with several.
        if (!severalStreams())
            throw;
        throw Error(QStringLiteral("%1: %2").arg(
            m_options.streams[std::size_t(picture.times.stream)].source, e.message()));
    }
}

// The packs go out first and the index line only once they are written, so that every index
// line points at a whole subtitle.
void VobSubWriter::write(const PictureTimes& times, const EncodedPicture& encoded)
{
    if (m_sup) {
        try {
            WriteSupPacket(m_sup->device(), encoded.bytes, times.start, m_options.frameRate,
                           times.number);
        } catch (const Error& e) {
            throw Error(writeError(*m_sup, e));
        }
    }
    if (!m_options.pair)
        return;
    const int index = m_indexOf.at(std::size_t(times.stream));
    Q_ASSERT(index >= 0);
    const std::uint32_t packsBefore = m_packCount;
    try {
        WriteSubtitlePacks(m_sub->device(), encoded.bytes, times.start, m_options.frameRate,
                           times.number, m_packCount, index);
    } catch (const Error& e) {
        throw Error(writeError(*m_sub, e));
    }
    if (severalStreams()) {
        m_timestamps[std::size_t(index)] +=
            IndexEntryLine(times.start, m_options.frameRate, packsBefore);
    } else {
        try {
            WriteIndexEntry(m_idx->device(), times.start, m_options.frameRate, packsBefore);
        } catch (const Error& e) {
            throw Error(writeError(*m_idx, e));
        }
    }
    m_sub->startWriteback(qint64(m_packCount) * qint64(kPackSize));
}

// Both files are flushed, then the .sub goes in place just before the .idx, so that the index
// never names missing packs; a failing .idx puts the earlier .sub back.
void VobSubWriter::commit()
{
    if (m_idx && severalStreams()) {
        try {
            WriteIndexText(m_idx->device(), indexText());
        } catch (const Error& e) {
            throw Error(writeError(*m_idx, e));
        }
    }
    m_files.commit();
}

void VobSubWriter::discard()
{
    m_idx = nullptr;
    m_sub = nullptr;
    m_sup = nullptr;
    m_files.clear();
}

// What the help file says of a pair with several streams in place of the pointer to a muxer:
// its streams and the mkvmerge line that keeps the default stream the default.
std::string VobSubWriter::muxNote(const QString& idxName) const
{
    QStringList streams;
    QString flags;
    for (std::size_t index = 0; index < m_written.size(); ++index) {
        const bool isDefault = int(index) == defaultIndex();
        streams << QStringLiteral("%1 %2%3").arg(index).arg(
            m_options.streams[std::size_t(m_written[index])].code,
            isDefault ? QStringLiteral(" (default)") : QString());
        flags += QStringLiteral(" --default-track-flag %1:%2")
                     .arg(index)
                     .arg(isDefault ? QStringLiteral("yes") : QStringLiteral("no"));
    }
    return QStringLiteral("Streams of this pair: %1. mkvmerge marks every stream default unless "
                          "told: mkvmerge -o OUTPUT.mkv VIDEO%2 %3")
        .arg(streams.join(QStringLiteral(", ")), flags, idxName)
        .toStdString();
}

// Writes the help file beside the pair, unless it was not asked for or its name is taken by a
// file that is not ours.
void VobSubWriter::finish(const QDir& folder, const QStringList& inputs, GenerationResult& result)
{
    if (!m_options.helpFile)
        return;
    const QString help = FollowLinks(folder.filePath(QString::fromLatin1(kHelpFileName)));
    const QString keepHelp = ReasonToKeep(help, helpKind(), inputs);
    if (!keepHelp.isEmpty()) {
        result.notes << QStringLiteral("%1 was left as it is: %2.")
                            .arg(ReadableName(QDir::toNativeSeparators(help)), keepHelp);
        return;
    }
    result.helpPath = help;
    // The help text names the files for people: a byte of a name that is not UTF-8 as \xHH.
    QStringList names;
    for (const QString& output : result.outputs)
        names << ReadableName(fileNameOf(output));
    const std::string note =
        severalStreams() && m_options.pair ? muxNote(names.front()) : std::string();
    const QString shownPath = ReadableName(QDir::toNativeSeparators(help));
    result.helpText = HelpText(m_options.colours, names, shownPath, note);
    WriteHelpFile(help, result.helpText);
    result.helpShown = HelpText(m_options.colours, names, shownPath, note, HelpWording::Shown);
}

} // namespace lumelle
