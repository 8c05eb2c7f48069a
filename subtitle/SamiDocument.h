// A SAMI document read into its parts: the language classes its <STYLE> block defines and the
// paragraphs of its <SYNC> blocks, each with the class it belongs to.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumelle {

struct SamiClass
{
    std::string name;     // as the style block writes it ("ENCC")
    std::string language; // its lang, two letters ("en"); empty without one
};

// One <P> of a <SYNC> block (or the text of a block without <P>).
struct SamiParagraph
{
    int lineNumber = 0;
    std::int64_t startMs = 0;
    std::string className;          // empty for a paragraph without a class
    std::vector<std::string> lines; // its text split at <br>, blanks run together, markup kept
};

struct SamiContent
{
    std::vector<SamiClass> classes;
    std::vector<SamiParagraph> paragraphs; // in file order
    // <SYNC> blocks that cannot be read: the line each starts on and why.
    std::vector<std::pair<int, std::string>> unread;
};

// Reads `utf8`, the document decoded.
SamiContent ReadSamiDocument(const std::string& utf8);

// `a` and `b` equal but for the case of ASCII letters.
bool SameClassName(const std::string& a, const std::string& b);

} // namespace lumelle
