#include "ui/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace lumelle {

namespace {

void makeBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

} // namespace

void SetWindowFont(QWidget* window)
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(11);
    window->setFont(windowFont);
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, QRect place,
                  LabelStyle style)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    if (style.bold)
        makeBold(label);
    if (place.isEmpty()) {
        label->move(place.topLeft());
        label->adjustSize();
        return label;
    }
    label->setWordWrap(style.wordWrap);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(place);
    if (style.wordWrap)
        label->resize(place.width(),
                      std::max(place.height(), label->heightForWidth(place.width())));
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, QRect place,
                        bool bold)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    button->setAutoDefault(false);
    if (bold)
        makeBold(button);
    return button;
}

void SetItemIndex(QComboBox* list, int index)
{
    QSignalBlocker quiet(list);
    list->setCurrentIndex(index);
}

} // namespace lumelle
