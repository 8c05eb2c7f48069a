#include "ui/FileNameBox.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lumelle {

QString FileNameBox::ShownText(const QString& text, const QFontMetrics& metrics, int width)
{
    const QString name = QFileInfo(text).fileName();
    return metrics.elidedText(name.isEmpty() ? text : name, Qt::ElideMiddle, width);
}

void FileNameBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect area =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).adjusted(2, 0, -2, 0);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     ShownText(text(), fontMetrics(), area.width()));
}

} // namespace lumelle
