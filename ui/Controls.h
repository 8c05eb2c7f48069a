// Pieces shared by the three windows: their font and the way their labels and buttons are made.
#pragma once

#include <QRect>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace lumelle {

// The windows' font: "MS Sans Serif" 8 point, 11 pixels high; where that font is missing a
// metric-close sans serif stands in.
void SetWindowFont(QWidget* window);

struct LabelStyle
{
    bool bold = false;
    bool wordWrap = false;
};

// A label named `name`. A `place` without a size puts the label there sized to its text;
// otherwise the label keeps the place's size with its text at the top left, and a wrapped text
// grows downwards when the stand-in font needs another line.
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                  LabelStyle style = {});

// A push button named `name` that never becomes the dialog's default button.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place,
                        bool bold = false);

// Selects a list entry from code without raising the list's change handler.
void SetItemIndex(QComboBox* list, int index);

} // namespace lumelle
