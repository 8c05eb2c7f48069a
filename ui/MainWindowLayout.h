// The main window's layout: its fixed size and look, every control in its place with its name,
// texts and entries, and the order in which the keyboard walks them.
#pragma once

#include "ui/MainWindowControls.h"

#include <QCoreApplication>
#include <QString>

class QWidget;

namespace lumelle {

class MainWindowLayout
{
    // The texts are the main window's, translated with its own.
    Q_DECLARE_TR_FUNCTIONS(lumelle::TForm1)

public:
    // Gives `window` its size, flags, font and style, makes every control as its child and
    // fills `controls` with them; also sets the titles and filters of the faceless dialogs.
    static void build(QWidget* window, MainWindowControls& controls);

    // Widens the controls whose texts in the user's language are wider than their places, and
    // moves what stands right of them along; with the English texts nothing moves. Called by
    // build().
    static void fitTexts(MainWindowControls& controls);

    // Arranges the window for a client area of `room` and gives the controls' parent that size,
    // which it returns: as designed where it fits; on a shorter screen with a smaller preview;
    // on a narrower one with the column of the output form beside the preview. The output
    // folder's row stays under the preview. A room too small even then leaves the window to
    // scroll (FitToAvailableArea).
    static QSize arrangeFor(MainWindowControls& controls, QSize room);

    // The controls at their defaults: frame rate, language, font with its size, character set,
    // style and outline, alignment, wrapping, the offsets (which raise their change handlers)
    // and the preview's size. The pictures, the output and the palette choice are reset by the
    // defaults button alone.
    static void setDefaults(MainWindowControls& controls);

    // The keyboard walks the controls top to bottom, left to right. To be called once the
    // controls found their place in the scroll area, which orders them anew.
    static void setKeyboardOrder(const MainWindowControls& controls);

    // The caption of the run's button while idle, and while a run goes.
    static QString generateCaption();
    static QString abortCaption();
    // The file-name box while no file is loaded.
    static QString noFileStatus();
};

} // namespace lumelle
