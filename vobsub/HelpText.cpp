#include "vobsub/HelpText.h"

#include "output/DeviceWriting.h"
#include "output/OutputFiles.h"
#include "platform/Error.h"
#include "platform/SystemNames.h"

#include <QDir>
#include <QFileInfo>
#include <vector>

namespace lumelle {

namespace {

std::string colourLine(int number, ColorValue colour)
{
    return "Then find the Color " + std::to_string(number) +
           " Y Cr CB ,doubleclick it, and put the value: " + ToYCrCbSpaced(colour);
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
                     const QString& helpPath, const std::string& streamNote)
{
    std::vector<std::string> files;
    for (const QString& name : fileNames)
        files.push_back(name.toStdString());
    files.push_back(helpPath.toStdString());
    const std::string muxLine =
        !streamNote.empty() ? streamNote
                            : "If you want to MUX more vobsubs into one file (multilanguage "
                              "vobsubs) then use Kestrabind: " +
                                  KestrabindAddress();
    // Colours 0 to 3 are the palette slots: antialias, outline, text, background.
    const std::string before[] = {
        kHelpFileMagic,
        "Some DVD Devices might want an VTS_01_0.IFO file in order to get correct colors",
        "Just Download VTS_01_0.IFO load it on Ifoedit and press VTS_PGCITI and then VTS_PGC1.",
        colourLine(0, colours.antialias),
        colourLine(1, colours.outline),
        colourLine(2, colours.text),
        colourLine(3, kBackgroundBlue),
        "Then press save. Thats all.",
        "",
        "Generated Files:",
    };
    std::vector<std::string> lines(std::begin(before), std::end(before));
    // The colours the file asks for, in the palette slots after the background.
    constexpr std::ptrdiff_t kAfterColours = 7; // the colour lines end before line 7
    for (std::size_t k = 0; k < colours.extra.size(); ++k)
        lines.insert(lines.begin() + kAfterColours + std::ptrdiff_t(k),
                     colourLine(int(kFixedPaletteSlots + k), colours.extra[k]));
    lines.insert(lines.end(), files.begin(), files.end());
    for (const std::string& line :
         {std::string(), "Download Ifo File Here: " + IfoDownloadAddress(), std::string(), muxLine})
        lines.push_back(line);

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
