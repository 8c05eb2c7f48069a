#include "vobsub/VobSubWriter.h"

#include <algorithm>

#include "output/DeviceWriting.h"
#include "platform/Error.h"
#include "vobsub/HelpText.h"
#include "vobsub/IndexWriter.h"
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

} // namespace

VobSubWriter::VobSubWriter(const VobSubOptions& options) : m_options(options) {}

const OutputSet& VobSubWriter::pair()
{
    static const OutputSet set{
        {{QStringLiteral(".idx"), QByteArray(kIndexFileMagic), QStringLiteral("a VobSub file")},
         {QStringLiteral(".sub"),
          QByteArray(reinterpret_cast<const char*>(kPackStartCode.data()),
                     qsizetype(kPackStartCode.size())),
          QStringLiteral("a VobSub file")}},
        QStringLiteral("pair"),
        QStringLiteral("_vobsub")};
    return set;
}

const OutputSet& VobSubWriter::outputs() const
{
    return pair();
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
    m_idx = &m_files.add(paths[0]);
    try {
        WriteIndexHeader(m_idx->device(), m_options.frameRate, m_options.mode, m_options.colours,
                         m_options.languageText);
    } catch (const Error& e) {
        throw Error(writeError(*m_idx, e));
    }
    m_sub = &m_files.add(paths[1]);
}

EncodedPicture VobSubWriter::encode(const TimedPicture& picture) const
{
    // A band wholly outside the frame has nothing to show; two rows inside it keep the
    // subtitle's place in the stream as an empty picture.
    const int bandHeight = picture.bandHeight >= 2 ? picture.bandHeight : 2;
    // A picture whose text the file colours has it in one of the extra palette slots; its
    // layers are told apart by the colours they are painted in.
    const OutputColours& file = m_options.colours;
    const ColorValue text = picture.layers->colours[3];
    int textSlot = kTextPaletteSlot;
    OutputColours shown{file.antialias, file.outline, file.text};
    if (text != file.text) {
        const auto at = std::find(file.extra.begin(), file.extra.end(), text);
        if (at != file.extra.end()) {
            textSlot = kFixedPaletteSlots + int(at - file.extra.begin());
            shown.text = text;
        }
    }
    return EncodeSubpictureFromMasks(*picture.layers, picture.bandTop, bandHeight, shown,
                                     picture.times.start, picture.times.end, m_options.frameRate,
                                     picture.times.number, textSlot);
}

// The packs go out first and the index line only once they are written, so that every index
// line points at a whole subtitle.
void VobSubWriter::write(const PictureTimes& times, const EncodedPicture& encoded)
{
    const std::uint32_t packsBefore = m_packCount;
    try {
        WriteSubtitlePacks(m_sub->device(), encoded, times.start, m_options.frameRate, times.number,
                           m_packCount);
    } catch (const Error& e) {
        throw Error(writeError(*m_sub, e));
    }
    try {
        WriteIndexEntry(m_idx->device(), times.start, m_options.frameRate, packsBefore);
    } catch (const Error& e) {
        throw Error(writeError(*m_idx, e));
    }
    m_sub->startWriteback(qint64(m_packCount) * qint64(kPackSize));
}

// Both files are flushed, then the .sub goes in place just before the .idx, so that the index
// never names missing packs; a failing .idx puts the earlier .sub back.
void VobSubWriter::commit()
{
    m_files.commit();
}

void VobSubWriter::discard()
{
    m_idx = nullptr;
    m_sub = nullptr;
    m_files.clear();
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
                            .arg(QDir::toNativeSeparators(help), keepHelp);
        return;
    }
    result.helpPath = help;
    result.helpText =
        HelpText(m_options.colours, QFileInfo(result.outputs[0]).fileName(),
                 QFileInfo(result.outputs[1]).fileName(), QDir::toNativeSeparators(help));
    WriteHelpFile(help, result.helpText);
}

} // namespace lumelle
