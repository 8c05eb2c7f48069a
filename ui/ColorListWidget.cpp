#include "ui/ColorListWidget.h"

#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

namespace lumelle {

namespace {
constexpr int kColorRole = Qt::UserRole + 1;
const QSize kSwatchSize(20, 12);
} // namespace

QIcon ColorSwatch(ColorValue value, QSize size)
{
    QPixmap swatch(size);
    swatch.fill(QColor(redOf(value), greenOf(value), blueOf(value)));
    QPainter painter(&swatch);
    painter.setPen(QColor(64, 64, 64));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return QIcon(swatch);
}

ColorListWidget::ColorListWidget(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setIconSize(kSwatchSize);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(0);
    // `activated` comes only from the user; code changes go through setColorValue.
    connect(this, &QComboBox::activated, this, &ColorListWidget::userPicked);
}

void ColorListWidget::setColorValue(ColorValue value)
{
    int index = -1;
    for (int i = 0; i < count(); ++i) {
        if (colorAt(i) == value) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        addColor(value);
        index = count() - 1;
    }
    bool differs = index != currentIndex() || value != m_value;
    selectIndex(index);
    m_value = value;
    if (differs)
        emit changed();
}

void ColorListWidget::clearColors()
{
    QSignalBlocker quiet(this);
    clear();
}

void ColorListWidget::addColor(ColorValue value)
{
    QSignalBlocker quiet(this);
    addItem(ColorSwatch(value, kSwatchSize), QString(), QVariant::fromValue<uint>(value));
    setItemData(
        count() - 1,
        QStringLiteral("R %1, G %2, B %3").arg(redOf(value)).arg(greenOf(value)).arg(blueOf(value)),
        Qt::ToolTipRole);
    // Keep the value in its own role too: the display text stays empty, so only the swatch shows.
    setItemData(count() - 1, QVariant::fromValue<uint>(value), kColorRole);
}

ColorValue ColorListWidget::colorAt(int index) const
{
    return ColorValue(itemData(index, kColorRole).toUInt());
}

void ColorListWidget::selectIndex(int index)
{
    QSignalBlocker quiet(this);
    setCurrentIndex(index);
}

void ColorListWidget::userPicked(int index)
{
    if (index < 0 || index >= count())
        return;
    m_value = colorAt(index);
    emit changed();
}

} // namespace lumelle
