// Draws the built-in pictures of resources/: a landscape at dusk for the preview of each frame
// size, and the plain blue output pictures. Run once; the produced PNG files are committed.
//
//   g++ -std=c++20 -fPIC make_pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o make_pictures
//   QT_QPA_PLATFORM=offscreen ./make_pictures ..
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

// Small deterministic generator so that the pictures are the same on every run.
struct Random
{
    std::uint32_t state;
    std::uint32_t next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }
};

// Smooth one-dimensional noise: a sum of sines with fixed phases.
double ridge(double x, double seed)
{
    return 0.50 * std::sin(x * 0.011 + seed) + 0.25 * std::sin(x * 0.027 + seed * 2.1) +
           0.15 * std::sin(x * 0.061 + seed * 3.7) + 0.07 * std::sin(x * 0.13 + seed * 5.3);
}

QPainterPath hillPath(int width, int height, double base, double amplitude, double seed)
{
    QPainterPath path;
    path.moveTo(0, height);
    for (int x = 0; x <= width; x += 4)
        path.lineTo(x, base - amplitude * ridge(x, seed));
    path.lineTo(width, height);
    path.closeSubpath();
    return path;
}

QImage landscape(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double horizon = height * 0.55;

    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0.0, QColor(28, 52, 110));
    sky.setColorAt(0.55, QColor(96, 128, 186));
    sky.setColorAt(0.85, QColor(236, 170, 120));
    sky.setColorAt(1.0, QColor(250, 204, 140));
    p.fillRect(0, 0, width, height, sky);

    // The sun low above the hills, with a soft glow.
    const QPointF sun(width * 0.68, horizon - height * 0.10);
    QRadialGradient glow(sun, height * 0.35);
    glow.setColorAt(0.0, QColor(255, 236, 180, 200));
    glow.setColorAt(1.0, QColor(255, 200, 140, 0));
    p.fillRect(0, 0, width, int(horizon) + 1, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 214));
    p.drawEllipse(sun, height * 0.045, height * 0.045);

    // A few thin clouds.
    Random rnd{0x2545F491u};
    for (int i = 0; i < 7; ++i) {
        const double cx = rnd.unit() * width;
        const double cy = height * (0.08 + 0.25 * rnd.unit());
        const double cw = width * (0.05 + 0.09 * rnd.unit());
        p.setBrush(QColor(255, 230, 220, 60 + int(50 * rnd.unit())));
        p.drawEllipse(QPointF(cx, cy), cw, height * 0.012);
    }

    // Mountains far away, then nearer and greener hills.
    p.setBrush(QColor(112, 106, 150));
    p.drawPath(hillPath(width, height, horizon - height * 0.04, height * 0.10, 1.3));
    p.setBrush(QColor(78, 96, 118));
    p.drawPath(hillPath(width, height, horizon + height * 0.02, height * 0.06, 4.2));
    QLinearGradient field(0, horizon, 0, height);
    field.setColorAt(0.0, QColor(74, 112, 62));
    field.setColorAt(1.0, QColor(34, 70, 30));
    p.setBrush(field);
    p.drawPath(hillPath(width, height, horizon + height * 0.12, height * 0.05, 7.7));
    QLinearGradient front(0, horizon + height * 0.2, 0, height);
    front.setColorAt(0.0, QColor(58, 96, 44));
    front.setColorAt(1.0, QColor(24, 52, 22));
    p.setBrush(front);
    p.drawPath(hillPath(width, height, height * 0.86, height * 0.07, 11.1));

    // Trees: dark cones along the middle hill.
    for (int i = 0; i < 26; ++i) {
        const double x = rnd.unit() * width;
        const double ground = horizon + height * 0.12 - height * 0.05 * ridge(x, 7.7);
        const double h = height * (0.03 + 0.03 * rnd.unit());
        QPainterPath tree;
        tree.moveTo(x, ground - h);
        tree.lineTo(x - h * 0.28, ground + 2);
        tree.lineTo(x + h * 0.28, ground + 2);
        tree.closeSubpath();
        p.setBrush(QColor(22, 48, 26));
        p.drawPath(tree);
    }
    p.end();

    // Grass texture: a slight, smooth brightness variation below the horizon keeps the file
    // small while the ground does not look flat.
    for (int y = int(horizon); y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = line[x];
            if (qGreen(c) < qBlue(c) || qGreen(c) < 40)
                continue;
            const int d = int(6 * std::sin(x * 0.9 + y * 1.7) * std::sin(y * 0.35 + x * 0.05));
            line[x] = qRgb(qBound(0, qRed(c) + d / 2, 255), qBound(0, qGreen(c) + d, 255),
                           qBound(0, qBlue(c) + d / 3, 255));
        }
    }
    return image;
}

// The preview shows every pixel of the bottom-left pixel's colour as see-through. Give that
// corner a colour found nowhere else in the picture, so that only the corner itself is keyed out.
QImage withUniqueCorner(QImage image)
{
    const int bottom = image.height() - 1;
    QRgb corner = qRgb(1, 2, 3);
    for (;;) {
        bool used = false;
        for (int y = 0; y < image.height() && !used; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if ((line[x] & 0xFFFFFF) == (corner & 0xFFFFFF) && !(x == 0 && y == bottom)) {
                    used = true;
                    break;
                }
            }
        }
        if (!used)
            break;
        corner = qRgb(qRed(corner) + 1, qGreen(corner), qBlue(corner));
    }
    image.setPixel(0, bottom, corner);
    return image;
}

QImage blue(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    const struct
    {
        const char* name;
        QImage image;
    } pictures[] = {
        {"PreviewPal720x576.png", withUniqueCorner(landscape(720, 576))},
        {"PreviewNtsc720x480.png", withUniqueCorner(landscape(720, 480))},
        {"BluePal720x576.png", blue(720, 576)},
        {"BlueNtsc720x480.png", blue(720, 480)},
    };
    for (const auto& picture : pictures) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(picture.name);
        if (!picture.image.save(path, "PNG", 9)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
