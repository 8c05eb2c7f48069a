// The preview picture box: shows one picture stretched to the box, with every pixel of the
// colour of the picture's bottom-left pixel left see-through (so the blue of an output picture
// does not show and the subtitle stands over the window). The box is the frame the pictures are
// drawn at, shown at its size, or smaller on a screen too small for it.
#pragma once

#include <QImage>
#include <QWidget>

namespace lumelle {

class PreviewView : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // The frame the pictures are drawn at; the box takes its shape, at most `largestShown`.
    void setFrameSize(QSize frame);
    QSize frameSize() const { return m_frame; }
    // The largest box the window has room for; the frame is shown scaled down to fit it.
    void setLargestShown(QSize box);
    const QImage& picture() const { return m_picture; }
    // The picture as painted: see-through where the key colour was.
    const QImage& shownPicture() const { return m_shown; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void fitBox();

    QSize m_frame;
    QSize m_largest;
    QImage m_picture;
    QImage m_shown;
};

// A copy of `picture` in which every pixel of the bottom-left pixel's colour is transparent.
QImage KeyOutBottomLeftColour(const QImage& picture);

} // namespace lumelle
