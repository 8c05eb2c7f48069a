// The colour options dialog: the palette mode of the output, as four radio buttons of one group,
// a picture explaining the four subtitle colours and a link to the IFO download. Closing it
// refills the main window's colour lists for the chosen mode.
#pragma once

#include "vobsub/Palette.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace lumelle {

class FormStorage;
class TForm1;

class TFormColorOptions : public QDialog
{
    Q_OBJECT

public:
    // When the main window keeps settings, this dialog keeps its own in the same store.
    explicit TFormColorOptions(TForm1* mainWindow, QWidget* parent = nullptr);
    ~TFormColorOptions() override;

    QGroupBox* GroupBox1;
    QLabel* Label7;
    QLabel* colors;
    QLabel* Iwant;
    QRadioButton* RadioButtonPC;
    QLabel* Label1;
    QRadioButton* RadioButtonDVD;
    QLabel* Label2;
    QRadioButton* RadioButtonPCDVD1;
    QLabel* Label3;
    QRadioButton* RadioButtonPCDVD2;
    QLabel* Label4;
    // Under each choice's explanation: the players that show its colours right.
    QLabel* LabelPlayersPC;
    QLabel* LabelPlayersDVD;
    QLabel* LabelPlayersTwo;
    QLabel* LabelPlayersSafe;
    QGroupBox* GroupBoxInfo;
    QLabel* Label5;
    QPushButton* ButtonDownloadIfo;
    QPushButton* ButtonDone;

    // The stored-property list of this dialog; none when the main window keeps no settings.
    std::unique_ptr<FormStorage> JvFormStorage;

    // The mode of the checked button; two palettes when none is checked.
    PaletteMode paletteMode() const;

    // Runs at every showing, after the stored settings were restored: loads the colour example
    // and carries out a reset asked for by the main window's defaults button.
    void FormActivate();
    // Refills the main window's colour lists for the current choice and redraws its preview.
    void ApplyPaletteMode(QObject* Sender);
    // Runs whenever the dialog closes, after its settings were saved.
    void FormClose();
    void ButtonDoneClick();
    void ButtonDownloadIfoClick();

    // The save at program end (when restored since the last save); afterwards the dialog no
    // longer touches the store. Run by the main window before it writes the store.
    void FinishSettings();

    // Closing by "Done" or by the close box.
    void done(int result) override;

    // Arranges the dialog for a client area of `room` and gives the controls' parent that size,
    // which it returns: the choices one under the other as designed where that fits, else two
    // side by side; a room too small even then leaves the dialog to scroll
    // (FitToAvailableArea). Run at every showing for the screen the dialog is on.
    QSize arrangeFor(QSize room);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildExample();
    void buildPaletteChoices();
    void buildInfoAndButtons();
    // Puts the choices into `columns` columns (1 or 2) and returns the client size it needs.
    QSize arrangeColumns(int columns);
    int placeExample(int columns);
    int placeChoice(int index, QPoint at);
    int placeInfo(int top, int width);
    // Its settings share the main window's store, in their own section.
    void connectStorage();
    FormStorage* liveStorage() const;

    QPointer<TForm1> m_mainWindow;
    bool m_placed = false;
};

// The players and uses that show the colours of `mode` right, in the user's language, and the
// pink that mpv, VLC and ffmpeg show when they are not among them.
QString PlayersNote(PaletteMode mode);

// The built-in colour example picture, 70 x 70.
QPixmap ColorExamplePicture();

} // namespace lumelle
