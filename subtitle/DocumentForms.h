// The subtitle forms told by how their text begins rather than by their lines: TTML and SAMI
// documents, EBU STL files.
#pragma once

#include <string>

namespace lumelle {

// True when the root element of the XML text (after its declaration, comments, a document
// type and blanks) is <tt>, with or without a namespace prefix.
bool LooksLikeTtml(const std::string& text);

// True when the text opens (after blanks and comments) with a <SAMI> element, in any case.
bool LooksLikeSami(const std::string& text);

// True when the bytes begin with an EBU STL general block: a disk format code "STLnn.01" after
// the three characters of the code page number.
bool LooksLikeEbuStl(const std::string& bytes);

} // namespace lumelle
