// The help text written beside the subtitle file after a finished run: which Y/Cr/Cb values to
// enter in an IFO editor, the generated files, and where to get the IFO file and the muxer.
#pragma once

#include "vobsub/Palette.h"

#include <QString>
#include <QStringList>
#include <string>

namespace lumelle {

inline constexpr const char* kHelpFileName = "Lumelle_Help_File.txt";
// How every help file we write opens: its first line.
inline constexpr char kHelpFileMagic[] = "All Done !!! Important Note:";

// The two download addresses on the maker's web site.
std::string IfoDownloadAddress();
std::string KestrabindAddress();

// Full path of the help file: the subtitle file's folder followed by "Lumelle_Help_File.txt".
QString HelpFilePath(const QString& subtitleFile);

// The words of the help text: as the file holds them, or as the window shows them, in the
// user's language (through the catalogues the program installed).
enum class HelpWording { File, Shown };

// The 17 lines, CR LF between them and none after the last. Names and path go in as UTF-8.
std::string HelpText(const OutputColours& colours, const QString& idxName, const QString& subName,
                     const QString& helpPath);
// The same for any set of files made; a non-empty `streamNote` (the streams of a pair with
// several and how to mux them) stands in the place of the pointer to a muxer.
std::string HelpText(const OutputColours& colours, const QStringList& fileNames,
                     const QString& helpPath, const std::string& streamNote,
                     HelpWording wording = HelpWording::File);

// Creates or replaces the file with exactly `text`. The old file stays as it was unless the
// whole text could be written. Throws Error with the file error's message.
void WriteHelpFile(const QString& path, const std::string& text);

} // namespace lumelle
