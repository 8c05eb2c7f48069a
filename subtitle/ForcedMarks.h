// How subtitles are marked forced (shown even when the viewer turned subtitles off: foreign
// dialogue, signs) by the names players and subtitle tools already use.
#pragma once

#include <QString>

namespace lumelle {

// A style name that marks its lines forced: one with the word "forced", "sign" or "signs" in
// it, in any case. Words are split at anything that is not a letter and where a small letter
// meets a capital, so "Signs", "sign-top", "OP_Forced" and "ForcedNarrative" mark their lines
// and "Design", "Assignment" or "Signature" do not.
bool StyleNameMarksForced(const QString& styleName);

// What a stream file's name says, read from its end: "film.en.forced.srt" has the language
// part "en" and is forced; "film.en.srt" has "en"; "film.srt" has none. `stem` is the name
// without these parts and the extension ("film").
struct StreamFileName
{
    QString stem;
    QString language; // as written; the caller checks that it is a language code
    bool forced = false;
};
StreamFileName ReadStreamFileName(const QString& fileName);

} // namespace lumelle
