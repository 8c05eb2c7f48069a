// A drop-down list of colour swatches with a current colour value. Picking an entry or setting
// the value from code raises `changed`; a colour that no entry holds is appended as an extra
// entry when set from code.
#pragma once

#include "platform/Colour.h"

#include <QComboBox>

namespace lumelle {

class ColorListWidget : public QComboBox
{
    Q_OBJECT
    // Exposed by name so that stored settings can address it as "<list>.ColorValue".
    Q_PROPERTY(uint ColorValue READ colorValue WRITE setColorValue NOTIFY changed)

public:
    explicit ColorListWidget(QWidget* parent = nullptr);

    // The current colour (0x00BBGGRR).
    ColorValue colorValue() const { return m_value; }
    // Selects the first entry holding `value`, appending an entry when none does. Raises
    // `changed` when the value or the selected entry changes.
    void setColorValue(ColorValue value);

    // Empties the list; the current value stays until something sets another one.
    void clearColors();
    // Appends one swatch without selecting it.
    void addColor(ColorValue value);
    int colorCount() const { return count(); }
    ColorValue colorAt(int index) const;
    // Selects an entry without touching the value and without `changed`.
    void selectIndex(int index);

signals:
    // The colour value changed: by a pick of the user or by setColorValue.
    void changed();

private:
    void userPicked(int index);

    ColorValue m_value = 0;
};

// The swatch picture of one colour, as the list shows it.
QIcon ColorSwatch(ColorValue value, QSize size);

} // namespace lumelle
