#include "ui/PreviewView.h"

#include <QPainter>

namespace lumelle {

QImage KeyOutBottomLeftColour(const QImage& picture)
{
    if (picture.isNull())
        return QImage();
    QImage shown = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = shown.pixel(0, shown.height() - 1) | 0xFF000000u;
    for (int y = 0; y < shown.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            if ((row[x] | 0xFF000000u) == key)
                row[x] = 0;
        }
    }
    return shown;
}

PreviewView::PreviewView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground, false);
}

void PreviewView::setPicture(const QImage& picture)
{
    m_picture = picture;
    m_shown = KeyOutBottomLeftColour(picture);
    update();
}

void PreviewView::setFrameSize(QSize frame)
{
    m_frame = frame;
    fitBox();
}

void PreviewView::setLargestShown(QSize box)
{
    m_largest = box;
    fitBox();
}

void PreviewView::fitBox()
{
    if (!m_frame.isValid())
        return;
    QSize shown = m_frame;
    if (m_largest.isValid() && !m_frame.isEmpty() &&
        (shown.width() > m_largest.width() || shown.height() > m_largest.height()))
        shown = m_frame.scaled(m_largest, Qt::KeepAspectRatio);
    resize(shown);
}

void PreviewView::paintEvent(QPaintEvent*)
{
    if (m_shown.isNull())
        return;
    QPainter painter(this);
    // A Blu-ray frame is shown shrunk: smoothly, so that thin strokes do not break up.
    if (m_shown.size() != size())
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_shown);
}

} // namespace lumelle
