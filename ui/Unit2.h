// The About window: what the program is for and its version. Shown modally from the main window.
#pragma once

#include <QDialog>

class QLabel;

namespace lumelle {

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1;
};

} // namespace lumelle
