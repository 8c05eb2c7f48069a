// The kinds of subtitle file Lumelle reads and the file-name extensions that mark them: the one
// list that the file dialog, dropped files and the converter's texts all read.
#pragma once

#include <QString>
#include <QStringList>
#include <span>

namespace lumelle {

// Extensions without the dot, in lower case; a file's own may be in any case.
inline constexpr const char* kSubRipExtensions[] = {"srt"};
inline constexpr const char* kMicroDvdExtensions[] = {"sub", "txt"};
inline constexpr const char* kWebVttExtensions[] = {"vtt"};
// ASS/SSA files are recognised by their "[Script Info]" section under any name; these are
// the extensions the file dialog offers.
inline constexpr const char* kAssExtensions[] = {"ass", "ssa"};
// These share ".sub" and ".txt" with MicroDVD and are told from it by what they hold.
inline constexpr const char* kMpl2Extensions[] = {"txt", "mpl"};
inline constexpr const char* kSubViewerExtensions[] = {"sub"};
inline constexpr const char* kSbvExtensions[] = {"sbv"};
// Timed Text in XML: TTML, DFXP, IMSC 1 text and iTunes Timed Text; an ".xml" file is one only
// when its root element is <tt>.
inline constexpr const char* kTtmlExtensions[] = {"ttml", "dfxp", "itt", "xml"};
inline constexpr const char* kSamiExtensions[] = {"smi", "sami"};
inline constexpr const char* kEbuStlExtensions[] = {"stl"};

struct SubtitleKind
{
    const char* name;
    std::span<const char* const> extensions;
};
inline constexpr SubtitleKind kSubtitleKinds[] = {
    {"SubRip", kSubRipExtensions},   {"MicroDVD", kMicroDvdExtensions},
    {"WebVTT", kWebVttExtensions},   {"ASS/SSA", kAssExtensions},
    {"MPL2", kMpl2Extensions},       {"SubViewer 2", kSubViewerExtensions},
    {"YouTube SBV", kSbvExtensions}, {"TTML", kTtmlExtensions},
    {"SAMI", kSamiExtensions},       {"EBU STL", kEbuStlExtensions},
};

// Every extension of every kind, each once, in the order above: "srt", "sub", "txt", "vtt",
// "ass", "ssa", ...
inline QStringList SubtitleExtensions()
{
    QStringList all;
    for (const SubtitleKind& kind : kSubtitleKinds) {
        for (const char* extension : kind.extensions) {
            if (!all.contains(QLatin1String(extension)))
                all << QString::fromLatin1(extension);
        }
    }
    return all;
}

// The kinds with their extensions, for help texts: `kindPattern` "%1 (%2)" with ", " and
// " and " gives "SubRip (.srt), MicroDVD (.sub, .txt), WebVTT (.vtt) and ASS/SSA (.ass, .ssa)": the
// kinds are listed with ", " and the last one joined by `kindSeparator`.
inline QString SubtitleKindsText(const QString& kindPattern, const QString& extensionSeparator,
                                 const QString& kindSeparator)
{
    QStringList kinds;
    for (const SubtitleKind& kind : kSubtitleKinds) {
        QStringList extensions;
        for (const char* extension : kind.extensions)
            extensions << QLatin1Char('.') + QLatin1String(extension);
        kinds << kindPattern.arg(QLatin1String(kind.name), extensions.join(extensionSeparator));
    }
    const QString last = kinds.takeLast();
    return kinds.isEmpty() ? last : kinds.join(QStringLiteral(", ")) + kindSeparator + last;
}

// True when the file name ends in one of those extensions, in any case.
inline bool HasSubtitleExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && SubtitleExtensions().contains(fileName.mid(dot + 1), Qt::CaseInsensitive);
}

} // namespace lumelle
