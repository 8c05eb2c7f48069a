// Draws the built-in pictures of the two dialogs and saves them beside this file:
//   colors.png  70 x 70, 256 colours: the colour example of the colour options dialog
//   about.png   81 x 81: the About window's picture
//   donate.png  62 x 30: the About window's donate picture
// The pictures are committed; run this only to change them:
//   g++ -std=c++20 -fPIC make_dialog_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) \
//       -o /tmp/make_dialog_pictures && QT_QPA_PLATFORM=offscreen /tmp/make_dialog_pictures .
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cstdio>

namespace {

// The capital T as two rectangles: the bar and the stem.
const QRect kBar(5, 12, 34, 10);
const QRect kStem(17, 22, 10, 36);

void fillT(QPainter& p, int grow, const QColor& colour)
{
    p.fillRect(kBar.adjusted(-grow, -grow, grow, grow), colour);
    p.fillRect(kStem.adjusted(-grow, -grow, grow, grow), colour);
}

void arrow(QPainter& p, QPoint from, QPoint to, const QColor& colour)
{
    p.setPen(QPen(colour, 1));
    p.drawLine(from, to);
    // A small solid head pointing at `to`.
    const int dx = to.x() < from.x() ? 3 : -3;
    p.setBrush(colour);
    p.drawPolygon(QPolygon({to, to + QPoint(dx, -2), to + QPoint(dx, 2)}));
    p.setBrush(Qt::NoBrush);
}

QImage colourExample()
{
    QImage image(70, 70, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0)); // BG: the red field
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);

    fillT(p, 3, Qt::black);             // OUT: the outline
    fillT(p, 1, QColor(128, 128, 128)); // ANT: the one-pixel ring
    fillT(p, 0, Qt::white);             // TXT: the text

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    const QColor label(255, 255, 0);
    p.setPen(label);

    // Labels in the right column, arrows pointing left at their parts of the T.
    p.drawText(QRect(50, 2, 20, 9), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TXT"));
    arrow(p, QPoint(54, 11), QPoint(26, 17), label); // the white bar

    p.drawText(QRect(50, 25, 20, 9), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ANT"));
    arrow(p, QPoint(49, 29), QPoint(29, 29), label); // the gray ring beside the stem

    p.drawText(QRect(50, 44, 20, 9), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("OUT"));
    arrow(p, QPoint(49, 48), QPoint(31, 48), label); // the black outline beside the stem

    p.drawText(QRect(50, 60, 20, 9), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("BG"));
    arrow(p, QPoint(49, 64), QPoint(38, 64), label); // the red field
    p.end();
    // A 256-colour picture; the few colours above come through exactly.
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage aboutPicture()
{
    QImage image(81, 81, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);

    // A disc: silver with a darker rim and a hole.
    QRadialGradient shine(QPointF(32, 30), 44);
    shine.setColorAt(0, QColor(250, 250, 255));
    shine.setColorAt(0.6, QColor(190, 200, 215));
    shine.setColorAt(1, QColor(150, 160, 180));
    p.setPen(QPen(QColor(90, 100, 120), 1.5));
    p.setBrush(shine);
    p.drawEllipse(QPointF(40.5, 38), 35, 35);
    p.setBrush(QColor(236, 236, 236));
    p.drawEllipse(QPointF(40.5, 38), 7, 7);

    // A subtitle band across the disc: white letters with a black outline on blue.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 200));
    p.drawRoundedRect(QRectF(4, 54, 73, 22), 4, 4);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    QPainterPath text;
    text.addText(QPointF(0, 0), font, QStringLiteral("Sub"));
    const QRectF box = text.boundingRect();
    text.translate(40.5 - box.center().x(), 65 - box.center().y());
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(text);
    p.end();
    return image;
}

QImage donatePicture()
{
    QImage image(62, 30, QImage::Format_RGB32);
    image.fill(QColor(236, 236, 236));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient face(0, 0, 0, 30);
    face.setColorAt(0, QColor(255, 214, 90));
    face.setColorAt(1, QColor(240, 160, 30));
    p.setPen(QPen(QColor(150, 95, 10), 1));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(0.5, 0.5, 61, 29), 8, 8);

    // A small heart on the left, the word on the right.
    QPainterPath heart;
    heart.moveTo(11, 21);
    heart.cubicTo(3, 15, 4, 8, 8, 8);
    heart.cubicTo(10, 8, 11, 10, 11, 11);
    heart.cubicTo(11, 10, 12, 8, 14, 8);
    heart.cubicTo(18, 8, 19, 15, 11, 21);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 30, 40));
    p.drawPath(heart);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(40, 30, 10));
    p.drawText(QRect(20, 0, 40, 30), Qt::AlignCenter, QStringLiteral("Donate"));
    p.end();
    return image;
}

bool save(const QImage& image, const QString& folder, const char* name)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const bool ok = save(colourExample(), folder, "colors.png") &&
                    save(aboutPicture(), folder, "about.png") &&
                    save(donatePicture(), folder, "donate.png");
    return ok ? 0 : 1;
}
