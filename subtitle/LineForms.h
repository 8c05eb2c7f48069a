// The lines of the MPL2, SubViewer 2 and YouTube SBV forms: how a file of each is told by its
// first lines, and how their time lines are split.
#pragma once

#include "subtitle/FileKind.h"

#include <string>
#include <vector>

namespace lumelle {

// An MPL2 line "[start][end]text" split at its brackets, the fields as they stand.
struct Mpl2Line
{
    std::string start;
    std::string end;
    std::string text;
};

// Splits `line` (blanks before the first "[" allowed); false when it has no "[...][...]" first.
bool SplitMpl2Line(const std::string& line, Mpl2Line& out);

// True when the first line that is not blank starts with "[digits][digits]" or "[digits][]".
bool LooksLikeMpl2(const std::vector<std::string>& head);

// A line meant as a SubViewer or SBV time line, well written or not: a digit first, a ":" and
// no blank before a ",", a digit after it. A text line "10:30, we meet" is not one.
bool LooksLikeCommaTimeLine(const std::string& line);

// SubViewer when the first line that is not blank is "[INFORMATION]" or a well-written time line
// among `head` has hundredths ("0:00:01.00,0:00:02.00"), Sbv when it has milliseconds, Unknown
// when there is none.
FileKind SubViewerKindOf(const std::vector<std::string>& head);

// Splits "start,end" at its comma; false when there is none. The fields are trimmed.
bool SplitCommaTimeLine(const std::string& line, std::string& start, std::string& end);

} // namespace lumelle
