// The colour options dialog: the palette mode of the output, as four radio buttons of one group.
// Closing it refills the main window's colour lists for the chosen mode.
#pragma once

#include "vobsub/Palette.h"

#include <QDialog>

class QRadioButton;
class QPushButton;

namespace lumelle {

class TForm1;

class TFormColorOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TFormColorOptions(TForm1* mainWindow, QWidget* parent = nullptr);

    QRadioButton* RadioButtonPC;
    QRadioButton* RadioButtonDVD;
    QRadioButton* RadioButtonPCDVD1;
    QRadioButton* RadioButtonPCDVD2;
    QPushButton* ButtonDone;

    // The mode of the checked button; two palettes when none is checked.
    PaletteMode paletteMode() const;
    // Refills the main window's colour lists for the current choice and redraws its preview.
    void ApplyPaletteMode(QObject* Sender);

    // Runs whenever the dialog closes, by "Done" or by the close box.
    void done(int result) override;

private:
    TForm1* m_mainWindow;
};

} // namespace lumelle
