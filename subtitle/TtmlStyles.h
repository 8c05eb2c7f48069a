// The styles of TTML: the tts: attributes an element carries or a <style> gives it, how they
// are passed down and layered, and the region's layout taken to one of the nine places.
#pragma once

#include "subtitle/Subtitle.h"

#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>
#include <optional>

namespace lumelle {

// The style properties read; each unset until an element or style gives it.
struct TtmlStyle
{
    bool colourSet = false;
    std::optional<ColorValue> colour; // none: the window's text colour
    std::optional<bool> italic;
    std::optional<bool> bold;
    std::optional<bool> underline;
    QString textAlign;
    QString displayAlign;
    QString origin;
    QString extent;

    // This style with every property `over` sets taken from it.
    void overlay(const TtmlStyle& over);
    TextStyle textStyle() const;
};

// The tts: attributes of an element (`attributes`) read into `style`. The names of those that
// are not drawn ("tts:fontSize") are added to `unused`, each once.
void ReadStyleAttributes(const QXmlStreamAttributes& attributes, TtmlStyle& style,
                         QStringList& unused);

// A TTML colour: a name, "#rrggbb", "#rrggbbaa", "rgb(r,g,b)" or "rgba(r,g,b,a)". White is left
// to the window's text colour (nearly every file gives it to all its text as the plain look),
// and so is a colour that cannot be seen or read. False when the value is no colour.
bool TtmlColour(QStringView text, std::optional<ColorValue>& colour);

// The frame a document's lengths are measured against: the root's tts:extent in pixels
// (0 when it gives none) and its ttp:cellResolution rows.
struct TtmlFrame
{
    double height = 0;
    double rows = 15;
};

// The keypad place (1..9) of text laid out by `style`: the row from the region's origin,
// extent and display alignment, the column from the text alignment; kPlaceUnset when the
// style says nothing of either.
int TtmlPlace(const TtmlStyle& style, const TtmlFrame& frame);

} // namespace lumelle
