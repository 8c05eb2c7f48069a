#include "vobsub/HelpText.h"

#include "output/DeviceWriting.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <string_view>
#include <vector>

namespace lumelle {

namespace {

// The phrases of the help text, marked for the window's catalogues: the file holds them as they
// stand, the window's box shows them in the user's language.
constexpr const char* kWordsContext = "lumelle::HelpText";
constexpr const char* kMagic =
    QT_TRANSLATE_NOOP("lumelle::HelpText", "All Done !!! Important Note:");
static_assert(std::string_view(kMagic) == kHelpFileMagic);
constexpr const char* kMightWant = QT_TRANSLATE_NOOP(
    "lumelle::HelpText",
    "Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors");
constexpr const char* kJustDownload =
    QT_TRANSLATE_NOOP("lumelle::HelpText", "Just Download VTS_01_0.IFO load it on Ifoedit and "
                                           "press VTS_PGCITI and then VTS_PGC1.");
constexpr const char* kColourLine = QT_TRANSLATE_NOOP(
    "lumelle::HelpText", "Then find the Color %1 Y Cr CB ,doubleclick it, and put the value: %2");
constexpr const char* kPressSave =
    QT_TRANSLATE_NOOP("lumelle::HelpText", "Then press save. Thats all.");
constexpr const char* kGenerated = QT_TRANSLATE_NOOP("lumelle::HelpText", "Generated Files:");
constexpr const char* kDownloadIfo =
    QT_TRANSLATE_NOOP("lumelle::HelpText", "Download Ifo File Here: %1");
constexpr const char* kKestrabind =
    QT_TRANSLATE_NOOP("lumelle::HelpText", "If you want to MUX more vobsubs into one file "
                                           "(multilanguage vobsubs) then use Kestrabind: %1");

QString worded(const char* phrase, HelpWording wording)
{
    return wording == HelpWording::Shown ? QCoreApplication::translate(kWordsContext, phrase)
                                         : QString::fromLatin1(phrase);
}

std::string colourLine(int number, ColorValue colour, HelpWording wording)
{
    return worded(kColourLine, wording)
        .arg(number)
        .arg(QString::fromStdString(ToYCrCbSpaced(colour)))
        .toStdString();
}

} // namespace

std::string IfoDownloadAddress()
{
    return std::string("http://") + LUMELLE_SITE_HOST + "/divx/Downloads/ifo.zip";
}

std::string KestrabindAddress()
{
    return std::string("http://") + LUMELLE_SITE_HOST + "/divx/SoftwareKestrabind.html";
}

QString HelpFilePath(const QString& subtitleFile)
{
    return QDir(QFileInfo(AbsoluteName(subtitleFile)).absolutePath())
        .filePath(QString::fromLatin1(kHelpFileName));
}

std::string HelpText(const OutputColours& colours, const QString& idxName, const QString& subName,
                     const QString& helpPath)
{
    return HelpText(colours, QStringList{idxName, subName}, helpPath, std::string());
}

std::string HelpText(const OutputColours& colours, const QStringList& fileNames,
                     const QString& helpPath, const std::string& streamNote, HelpWording wording)
{
    std::vector<std::string> files;
    for (const QString& name : fileNames)
        files.push_back(name.toStdString());
    files.push_back(helpPath.toStdString());
    const auto line = [wording](const char* phrase) {
        return worded(phrase, wording).toStdString();
    };
    const std::string muxLine = !streamNote.empty()
                                    ? streamNote
                                    : worded(kKestrabind, wording)
                                          .arg(QString::fromStdString(KestrabindAddress()))
                                          .toStdString();
    // Colours 0 to 3 are the palette slots: antialias, outline, text, background.
    const std::string before[] = {
        line(kMagic),
        line(kMightWant),
        line(kJustDownload),
        colourLine(0, colours.antialias, wording),
        colourLine(1, colours.outline, wording),
        colourLine(2, colours.text, wording),
        colourLine(3, kBackgroundBlue, wording),
        line(kPressSave),
        "",
        line(kGenerated),
    };
    std::vector<std::string> lines(std::begin(before), std::end(before));
    // The colours the file asks for, in the palette slots after the background.
    constexpr std::ptrdiff_t kAfterColours = 7; // the colour lines end before line 7
    for (std::size_t k = 0; k < colours.extra.size(); ++k)
        lines.insert(lines.begin() + kAfterColours + std::ptrdiff_t(k),
                     colourLine(int(kFixedPaletteSlots + k), colours.extra[k], wording));
    lines.insert(lines.end(), files.begin(), files.end());
    const std::string ifoLine = worded(kDownloadIfo, wording)
                                    .arg(QString::fromStdString(IfoDownloadAddress()))
                                    .toStdString();
    for (const std::string& tail : {std::string(), ifoLine, std::string(), muxLine})
        lines.push_back(tail);

    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n"; // between lines only: no break after the last
        text += lines[i];
    }
    return text;
}

void WriteHelpFile(const QString& path, const std::string& text)
{
    // Written to a temporary file and renamed into place, so a failure never leaves half a
    // help file behind. Unbuffered, so that a write the disk refuses shows here and the
    // temporary file goes instead of a short file put in place.
    StagedSet files;
    StagedFile& file = files.add(path);
    try {
        WriteAll(file.device(), text.data(), qint64(text.size()),
                 QStringLiteral("The disk is full."));
    } catch (const Error& e) {
        throw Error(CannotWriteFileMessage(path, e.message()));
    }
    files.commit();
}

} // namespace lumelle
