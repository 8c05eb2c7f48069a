// Folders on the command line: each stands for the subtitle files in it, and with --recursive
// for those of its subfolders too; under --output they keep the folder's tree.
#pragma once

#include "cli/ConvertOptions.h"

#include <QString>

namespace lumelle {

// Replaces each folder of options.files by the subtitle files in it, in name order, a folder's
// own files before those of its subfolders. A text file counts when its name and first lines
// are those of a subtitle file (so that help files are left out); a file of pictures (a VobSub
// pair, a DVD or PGS .sup, a BDN index) when it is not in a form the run writes and bears no
// name of a text subtitle beside it (then it is an earlier output), said on standard error. A
// folder that holds none stays in the list. Then the two files of one VobSub pair, found or
// given, stand for it once.
void ExpandFolders(ConvertOptions& options);

// What reading a folder given as FILE says: it holds no subtitle file.
QString NoSubtitleFileIn(bool recursive);

// The folder the outputs of `file` go to under --output `outputFolder`: the subfolder that
// keeps its place in the tree of the folder it was found in, else `outputFolder` itself.
QString TreeOutputFolder(const ConvertOptions& options, const QString& file);

} // namespace lumelle
