// A TTML document read into its timed paragraphs: TTML 1, DFXP, IMSC 1 text and iTunes Timed
// Text. A document type declaration is refused, so that no entity is expanded and no external
// one is fetched.
#pragma once

#include "subtitle/Markup.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

namespace lumelle {

// One <p> of the document.
struct TtmlParagraph
{
    int lineNumber = 0;
    QString name; // its xml:id, else its number
    std::int64_t startMs = 0;
    std::int64_t endMs = 0;
    MarkedText text;
    QString problem; // why it cannot be shown; empty when it can
};

struct TtmlContent
{
    std::vector<TtmlParagraph> paragraphs;
    // Where the reading stopped early (malformed XML, a document type) and why; 0 and empty
    // when the whole document was read.
    int stopLine = 0;
    QString stopReason;
    std::string language; // the root's xml:lang, two letters ("en"); empty without one
    QStringList notes;    // what was read otherwise than the document asks, one sentence each
};

// Reads `text`, the document decoded into Unicode.
TtmlContent ReadTtmlDocument(const QString& text);

} // namespace lumelle
