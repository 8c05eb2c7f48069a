// The file-name box of the main window: holds the whole path as its text, shows the file's own
// name, elided in the middle when it is wider than the box, and the whole path as its tooltip.
#pragma once

#include <QLineEdit>

class QFontMetrics;

namespace lumelle {

class FileNameBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

    // What a box `width` pixels wide shows for `text`: a path's file name (a text without a
    // folder as it is), elided in the middle when it does not fit.
    static QString ShownText(const QString& text, const QFontMetrics& metrics, int width);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lumelle
