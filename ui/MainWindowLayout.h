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
