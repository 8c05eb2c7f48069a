#include "ui/LoadedPictures.h"

#include "platform/Colour.h"
#include "render/Picture.h"
#include "render/RenderSettings.h"
#include "ui/ColorListWidget.h"
#include "ui/MainWindowControls.h"
#include "ui/OutputForms.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <algorithm>

namespace lumelle {

namespace {

bool sameInks(const pgs::LayerInks& a, const pgs::LayerInks& b)
{
    return a.text == b.text && a.outline == b.outline && a.antialias == b.antialias;
}

bool sameDrawing(const PictureForm& a, const pgs::PgsSourceSettings& sa, const PictureForm& b,
                 const pgs::PgsSourceSettings& sb)
{
    return a.colour == b.colour && a.frame == b.frame && sa.rate == sb.rate &&
           sa.dvdFrame == sb.dvdFrame && sa.wide == sb.wide && sameInks(sa.inks, sb.inks) &&
           sa.forced == sb.forced;
}

// "1:02:03.040": hours, minutes, seconds and milliseconds of frame `frame` at `rate`.
QString timeText(int frame, FrameRate rate)
{
    const long long frames = rate.frames() > 0 ? rate.frames() : 25;
    const long long seconds = rate.frames() > 0 ? rate.seconds() : 1;
    const long long ms = (std::max(frame, 0) * seconds * 1000 + frames / 2) / frames;
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3'600'000)
        .arg(ms / 60'000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

} // namespace

LoadedPictures::LoadedPictures(pgs::PictureFile file, int stream)
    : m_file(std::move(file)), m_stream(stream)
{}

std::shared_ptr<PictureSource> LoadedPictures::source(const pgs::PgsSourceSettings& settings) const
{
    // A file without a palette shows in the window's colours, as the converter's in its
    // options'.
    if (m_file.dvd)
        pgs::UseOwnPalette(*m_file.dvd, settings.inks);
    return pgs::PictureFileSource(m_file, m_stream, settings);
}

PictureSource& LoadedPictures::planned(const PictureForm& form,
                                       const pgs::PgsSourceSettings& settings)
{
    if (!m_planned || !sameDrawing(form, settings, m_plannedForm, m_plannedSettings)) {
        m_planned.reset();
        auto source = this->source(settings);
        source->useForm(form);
        source->plan([](int, int) {});
        source->startWorkers(1);
        m_planned = std::move(source);
        m_plannedForm = form;
        m_plannedSettings = settings;
    }
    return *m_planned;
}

std::vector<PictureTimes> LoadedPictures::times(const pgs::PgsSourceSettings& settings)
{
    PictureSource& source = planned(m_planned ? m_plannedForm : PictureForm{}, settings);
    std::vector<PictureTimes> times;
    for (int i = 0; i < source.count(); ++i)
        times.push_back(source.times(i));
    return times;
}

bool LoadedPictures::drawOver(QImage& surface, int index, const PictureForm& form,
                              const pgs::PgsSourceSettings& settings)
{
    PictureSource& source = planned(form, settings);
    if (index < 0 || index >= source.count())
        return false;
    if (form.colour) {
        const TimedPicture picture = source.draw(index, 0);
        if (picture.colour && !picture.colour->box.isEmpty()) {
            QPainter painter(&surface);
            painter.drawImage(picture.colour->box.topLeft(), picture.colour->argb);
        }
        return true;
    }
    // The four inks as painted for showing, on the blue every other pixel keeps.
    const SubtitleImage& image = source.drawShown(index);
    const QImage& drawn = image.pixels;
    const QRgb blue = toRgb(kBackgroundBlue);
    const int width = std::min(drawn.width(), surface.width());
    const int last = std::min({image.masks.lastDirty, drawn.height() - 1, surface.height() - 1});
    for (int y = std::max(image.masks.firstDirty, 0); y <= last; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(surface.scanLine(y));
        for (int x = 0; x < width; ++x)
            if ((from[x] & 0xffffff) != (blue & 0xffffff))
                to[x] = from[x] | 0xff000000;
    }
    return true;
}

pgs::PgsSourceSettings PictureSettingsOf(const MainWindowControls& controls, bool forced)
{
    const RenderSettings render = RenderSettingsOf(controls);
    pgs::PgsSourceSettings s;
    s.rate = FrameRate::fromText(controls.ComboBoxFps->currentText());
    s.dvdFrame = QSize(frameWidth(render.videoStandard), frameHeight(render.videoStandard));
    s.inks = {render.textColor, render.outlineColor, render.antialiasColor};
    s.forced = forced;
    return s;
}

PictureForm PictureFormOf(const MainWindowControls& controls)
{
    PictureForm form;
    form.colour = OutputFormOf(controls.LabelOutputForm->text()).bluRay;
    if (form.colour)
        form.frame = OutputFrameOf(controls);
    return form;
}

QString PictureRowText(const PictureTimes& times, FrameRate rate)
{
    QString text = timeText(times.start, rate) + QStringLiteral(" - ") + timeText(times.end, rate);
    if (times.forced)
        text +=
            QStringLiteral("  ") + QCoreApplication::translate("lumelle::LoadedPictures", "forced");
    return text;
}

} // namespace lumelle
