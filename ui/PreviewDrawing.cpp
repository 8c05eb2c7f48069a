#include "ui/PreviewDrawing.h"

#include "convert/UnitPipeline.h"
#include "platform/IniStore.h"
#include "platform/Messages.h"
#include "render/ColourRenderer.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "subtitle/FrameRate.h"
#include "ui/LoadedPictures.h"
#include "ui/LoadedSubtitle.h"
#include "ui/MainWindowControls.h"
#include "ui/PreviewView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdint>

namespace lumelle {

namespace {

// A picture path the settings file can keep (one line); otherwise a message and false.
bool acceptPicturePath(const QString& path)
{
    if (platform::IniStore::canHold(path))
        return true;
    platform::messages().showMessage(
        QStringLiteral("The picture \"%1\" has a line break in its name or folder, which the "
                       "settings file cannot keep. Please rename it and choose it again.")
            .arg(QString(path)
                     .replace(QLatin1Char('\n'), QLatin1Char(' '))
                     .replace(QLatin1Char('\r'), QLatin1Char(' '))));
    return false;
}

// Draws `entry` over `surface` (a picture of the frame of `s`) as a Blu-ray form writes it: in
// full colour with smooth edges and alpha. False, with nothing drawn, when it is taller than
// the frame.
bool drawInColour(QImage& surface, const SubtitleLine& entry, const RenderSettings& s)
{
    bool mixed = false;
    PictureInks inks;
    inks.text = PictureTextColour({entry}, s, mixed);
    const RenderSettings shown = WithPictureInks(s, inks);
    ColourImage image;
    if (!RenderColourBlocks(image, PlacedBlocks({entry}, shown), shown))
        return false;
    if (!image.box.isEmpty()) {
        QPainter painter(&surface);
        painter.drawImage(image.box.topLeft(), image.argb);
    }
    return true;
}

} // namespace

PreviewDrawing::PreviewDrawing(MainWindowControls& controls, LoadedSubtitle& loaded)
    : m_controls(controls), m_loaded(loaded)
{}

void PreviewDrawing::loadBackground()
{
    // A Blu-ray form shows the frame it writes; the pictures are chosen by the video standard.
    const RenderSettings settings = RenderSettingsOf(m_controls);
    const VideoStandard standard = settings.videoStandard;
    const QSize frame = OutputFrameSize(settings);
    const int width = frame.width();
    const int height = frame.height();
    m_controls.preview->setFrameSize(frame);

    const QString userPicture = standard == VideoStandard::PAL
                                    ? m_controls.LabelImageChangedPAL->text()
                                    : m_controls.LabelImageChangedNTSC->text();
    QImage picture;
    if (!userPicture.isEmpty() && QFileInfo::exists(userPicture))
        picture.load(userPicture);
    // A picture that is gone or cannot be read gives way to the built-in one.
    if (picture.isNull())
        picture.load(PreviewPictureResource(standard));
    if (picture.isNull()) {
        picture = QImage(width, height, QImage::Format_RGB32);
        picture.fill(Qt::black);
    }
    picture = picture.convertToFormat(QImage::Format_RGB32);
    // Text is placed at frame coordinates, so a picture of another size is fitted to the frame.
    if (picture.size() != QSize(width, height))
        picture = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_picture = picture;
    m_controls.preview->setPicture(m_picture);
}

void PreviewDrawing::choosePictures(QWidget* parent)
{
    platform::TOpenDialog& pal = m_controls.OpenDialogImagePAL;
    if (pal.Execute(parent) && acceptPicturePath(pal.FileName)) {
        m_controls.LabelImageChangedPAL->setText(pal.FileName);
        loadBackground();
    }
    platform::TOpenDialog& ntsc = m_controls.OpenDialogImageNTSC;
    if (ntsc.Execute(parent) && acceptPicturePath(ntsc.FileName)) {
        m_controls.LabelImageChangedNTSC->setText(ntsc.FileName);
        loadBackground();
    }
}

void PreviewDrawing::drawEntry(int number, const SubtitleLine& entry,
                               const RenderSettings& settings)
{
    loadBackground();
    if (!EntryFitsWidth(entry, settings)) {
        m_loaded.LinesFit = false;
        showTooWide(number, entry.Line1, LinesAfterFirst(entry), kTooLongInPreview);
        return;
    }
    m_loaded.LinesFit = true;
    const bool drawn = settings.frame.isValid()
                           ? drawInColour(m_picture, entry, settings)
                           : DrawEntries(m_picture, {entry}, settings, m_picture.size());
    if (!drawn) {
        m_loaded.LinesFit = false;
        platform::messages().showMessage(
            tr("The subtitle is taller than the frame. Please use a smaller font size."));
    }
    m_controls.preview->setPicture(m_picture);
}

void PreviewDrawing::drawSelected()
{
    if (!m_loaded.SubtitleLoaded || !m_loaded.Subtitle)
        return;
    const int row = m_controls.ListBox1->currentRow();
    if (m_loaded.pictures) {
        drawPicture(row);
        return;
    }
    if (row < 0 || row >= m_loaded.Subtitle->Count())
        return;
    if (m_loaded.assPreview)
        drawScriptEntry(m_loaded.Subtitle->line(row + 1));
    else
        drawEntry(row + 1, m_loaded.Subtitle->line(row + 1), RenderSettingsOf(m_controls));
}

void PreviewDrawing::drawScriptEntry(const SubtitleLine& entry)
{
    loadBackground();
    // The middle of the event, when a fade has come in fully.
    const FrameRate rate = FrameRate::fromText(m_controls.ComboBoxFps->currentText());
    const std::int64_t middle =
        (std::int64_t(StrToInt(entry.StartFrame)) + StrToInt(entry.EndFrame)) / 2;
    const long long ms = middle * 1'000'000 / rate.divisor();
    // libass lays the script out in the frame it draws: the preview's, which a Blu-ray form
    // sets.
    if (m_loaded.assScript && m_picture.size() != m_loaded.assPreview->frame())
        m_loaded.assPreview = std::make_unique<AssPreview>(*m_loaded.assScript, m_picture.size());
    if (m_picture.size() == m_loaded.assPreview->frame())
        m_loaded.assPreview->draw(m_picture, ms);
    m_controls.preview->setPicture(m_picture);
}

void PreviewDrawing::drawPicture(int row)
{
    loadBackground();
    if (row >= 0)
        m_loaded.pictures->drawOver(m_picture, row, PictureFormOf(m_controls),
                                    PictureSettingsOf(m_controls, false));
    m_controls.preview->setPicture(m_picture);
}

void PreviewDrawing::drawSampleAndSelected()
{
    // Pictures show as they are: no sample text is drawn in their place.
    if (m_loaded.pictures && m_loaded.SubtitleLoaded) {
        drawSelected();
        return;
    }
    drawEntry(0,
              SubtitleLine{std::string(), std::string(), SampleLine1, SampleLine2, std::string()},
              RenderSettingsOf(m_controls));
    drawSelected();
}

void PreviewDrawing::showSelectedOrBackground()
{
    if (m_loaded.SubtitleLoaded && m_loaded.Subtitle && m_controls.ListBox1->currentRow() >= 0)
        drawSelected();
    else
        loadBackground();
}

void PreviewDrawing::showRunPicture(const QImage& picture)
{
    m_picture = picture;
    m_controls.preview->setFrameSize(picture.size());
    m_controls.preview->setPicture(m_picture);
}

void PreviewDrawing::checkEntry(int number, const SubtitleLine& entry,
                                const RenderSettings& settings)
{
    if (EntryFitsWidth(entry, settings)) {
        m_loaded.LinesFit = true;
        return;
    }
    reportTooWide(number, entry.Line1, LinesAfterFirst(entry));
}

void PreviewDrawing::reportTooWide(int number, const std::string& line1, const std::string& line2)
{
    m_loaded.LinesFit = false;
    if (m_loaded.SubtitleLoaded) {
        showTooWide(number, line1, line2, kTooLongAfterFontChange);
    } else {
        {
            QSignalBlocker quiet(m_controls.ListBox1);
            m_controls.ListBox1->clear();
        }
        showTooWide(number, line1, line2, kTooLongAfterLoad);
    }
}

void PreviewDrawing::showTooWide(int number, const std::string& line1, const std::string& line2,
                                 const char* tail)
{
    QString text = TooLongMessage(line1, line2, tail);
    if (number > 0) {
        text += QStringLiteral("\r\r") + tr("This is subtitle %1.").arg(number) + QLatin1Char(' ');
        text += m_controls.CheckBoxWrap->isChecked()
                    ? tr("Even with \"Wrap long lines\" a word of it is wider than the frame.")
                    : tr("Tick \"Wrap long lines\" to break it at a space instead.");
    }
    platform::messages().showMessage(text);
}

bool PreviewDrawing::checkAllLines()
{
    // libass places a script's lines, and pictures are drawn already: no width check applies.
    const bool script = m_loaded.assScript || m_loaded.pictures;
    const int count = m_loaded.Subtitle && !script ? m_loaded.Subtitle->Count() : 0;
    m_loaded.LinesFit = m_loaded.LinesFit || script;
    const RenderSettings settings = RenderSettingsOf(m_controls);
    for (int i = 1; i <= count; ++i) {
        checkEntry(i, m_loaded.Subtitle->line(i), settings);
        if (!m_loaded.LinesFit)
            break;
    }
    return m_loaded.LinesFit;
}

bool PreviewDrawing::allSubtitlesFit()
{
    // A row that fits may have been drawn after a refused one.
    const RenderSettings settings = RenderSettingsOf(m_controls);
    const int first = m_loaded.assScript || m_loaded.pictures
                          ? 0
                          : FirstTooWideEntry(*m_loaded.Subtitle, settings, WorkerCount(0));
    if (first == 0)
        return true;
    m_loaded.LinesFit = false;
    const SubtitleLine& entry = m_loaded.Subtitle->line(first);
    showTooWide(first, entry.Line1, LinesAfterFirst(entry), kTooLongAfterFontChange);
    return false;
}

} // namespace lumelle
