#include "ui/ConversionRun.h"

#include "convert/GenerationRun.h"
#include "convert/JoinedSource.h"
#include "pgs/BluRayForm.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/SystemNames.h"
#include "ui/ColorListWidget.h"
#include "ui/ListValues.h"
#include "ui/LoadedPictures.h"
#include "ui/LoadedSubtitle.h"
#include "ui/MainWindowControls.h"
#include "ui/OutputFolderChoice.h"
#include "ui/OutputForms.h"
#include "ui/OutputStreams.h"
#include "ui/PreviewDrawing.h"
#include "ui/RunNotes.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QUrl>
#include <algorithm>

namespace lumelle {

bool RunStopped = true;

ConversionRun::ConversionRun(MainWindowControls& controls, LoadedSubtitle& loaded,
                             PreviewDrawing& preview, OutputStreams& streams,
                             OutputFolderChoice& folder, Window window)
    : m_controls(controls), m_loaded(loaded), m_preview(preview), m_streams(streams),
      m_folder(folder), m_window(std::move(window))
{}

void ConversionRun::press()
{
    if (!RunStopped && isDoubleClickOfStart())
        return;
    RunStopped = !RunStopped;
    QProgressBar* bar = m_controls.ProgressBar1;
    bar->setMinimum(0);
    bar->setValue(0);
    bar->setFormat(QString());
    if (RunStopped) {
        // A run is active and handles events: it stops before its next subtitle.
        platform::messages().showMessage(tr("Operation Aborted"));
        return;
    }
    // A refusal is read with the window idle, the button reading "Generate Vobsub".
    if (!mayStart()) {
        RunStopped = true;
        return;
    }
    m_window.setControlsEnabled(false);
    m_started.start();

    // However the run ends, it ends idle, with the flag back and a pending close carried out.
    struct BackToIdle
    {
        ConversionRun* run;
        ~BackToIdle() { run->finish(); }
    } backToIdle{this};

    // A single subtitle still gets a range, so that the bar does not turn into a busy sign.
    bar->setMaximum(std::max(m_loaded.Subtitle->Count() - 1, 1));

    GenerationResult result;
    try {
        result = RunGeneration(request(), callbacks());
    } catch (...) {
        m_preview.showSelectedOrBackground();
        throw;
    }
    m_preview.showSelectedOrBackground();
    // The end is read with the window idle; a close asked for during the run waits for it.
    RunStopped = true;
    m_window.setControlsEnabled(true);
    showResult(result);
}

bool ConversionRun::holdClose()
{
    if (RunStopped)
        return false;
    RunStopped = true;
    m_closeAfterRun = true;
    return true;
}

QString ConversionRun::outputFolderOf(const QString& file) const
{
    return file == m_lastRunFile ? m_lastOutputFolder : QString();
}

bool ConversionRun::mayStart()
{
    if (!m_loaded.SubtitleLoaded || !m_loaded.Subtitle) {
        platform::messages().showMessage(tr("Please load an Srt/Sub/Txt subtitle."));
        return false;
    }
    if (!m_loaded.LinesFit) {
        platform::messages().showMessage(tr("Please use smaller font."));
        return false;
    }
    if (OutputFormOf(m_streams.formKey()).bluRay) {
        const QString refusal =
            BluRayFormatRefusal(OutputFrameOf(m_controls), m_controls.ComboBoxFps->currentText());
        if (!refusal.isEmpty()) {
            platform::messages().showMessage(refusal);
            return false;
        }
    }
    return m_preview.allSubtitlesFit() && m_streams.readyForRun(RenderSettingsOf(m_controls)) &&
           m_folder.usable();
}

bool ConversionRun::isDoubleClickOfStart() const
{
    return m_started.isValid() && m_started.elapsed() < QApplication::doubleClickInterval();
}

void ConversionRun::finish()
{
    RunStopped = true;
    m_window.setControlsEnabled(true);
    if (m_closeAfterRun) {
        m_closeAfterRun = false;
        QMetaObject::invokeMethod(m_window.widget, &QWidget::close, Qt::QueuedConnection);
    }
}

GenerationRequest ConversionRun::request()
{
    const QString loaded = m_controls.OpenDialogsub.FileName;
    GenerationRequest request;
    request.writer = OutputFormOf(m_streams.formKey()).writer(choices());
    request.subtitleFile = loaded;
    request.outputFolder = m_folder.folder();
    if (m_loaded.pictures) {
        // The pictures are drawn as lumelle-convert draws them; no file read is written over
        // (the .idx beside a .sub loaded).
        request.source =
            m_loaded.pictures->source(PictureSettingsOf(m_controls, m_streams.loadedForced()));
        request.otherInputs = m_loaded.pictures->file().files;
        return request;
    }
    request.source = m_streams.pictureSource(*m_loaded.Subtitle, RenderSettingsOf(m_controls));
    // Several files: the output is named after the loaded one without its language part.
    if (m_streams.several()) {
        request.subtitleFile = JoinedPairNameFile(loaded);
        // The output is no longer named after the loaded file, which must still never be
        // written over (a MicroDVD "film.sub" beside a pair named "film").
        request.otherInputs << loaded << m_streams.addedFiles();
    }
    return request;
}

OutputChoices ConversionRun::choices() const
{
    const MainWindowControls& c = m_controls;
    OutputChoices choices;
    choices.frameRate = FrameRate::fromText(c.ComboBoxFps->currentText());
    choices.frameRateText = c.ComboBoxFps->currentText();
    choices.frame = OutputFrameOf(c);
    choices.videoStandard = VideoStandardFromFps(c.ComboBoxFps->currentText());
    choices.paletteMode = m_window.paletteMode();
    choices.languageText = ValueOf(c.ComboBoxVobsubLanguage);
    choices.colours =
        OutputColours{c.JvColorButtonAntialias->colorValue(), c.JvColorButtonOutline->colorValue(),
                      c.JvColorButtonText->colorValue()};
    choices.streams = m_streams.streams(choices.languageText);
    return choices;
}

// Before each subtitle: the stop flag, the events (a second press) and the bar; after each
// drawing: the picture in the preview.
GenerationCallbacks ConversionRun::callbacks()
{
    GenerationCallbacks callbacks;
    m_throttle.start();
    callbacks.beforeSubtitle = [this](int index, int count) {
        if (RunStopped)
            return false;
        m_showNextPicture = m_throttle.shouldShow(index == count);
        // A second press of the button is handled here and only flips RunStopped; the
        // subtitle in hand is still finished.
        QCoreApplication::processEvents();
        QProgressBar* bar = m_controls.ProgressBar1;
        bar->setMaximum(std::max(count - 1, 1));
        bar->setValue(std::min(bar->value() + 1, bar->maximum()));
        bar->setFormat(tr("%1 of %2").arg(index).arg(count));
        return true;
    };
    // Abort keeps the finished subtitles, asking first when they would replace an earlier
    // pair (Enter keeps the earlier, complete pair); closing the window keeps the earlier pair.
    callbacks.keepFinished = [this](int written, bool replacesEarlier) {
        if (!replacesEarlier)
            return true;
        if (m_closeAfterRun)
            return false;
        // English has no catalogue: its singular is a text of its own.
        const QString question =
            written == 1
                ? tr("Keep the 1 subtitle written so far? The earlier pair will be replaced.")
                : tr("Keep the %n subtitles written so far? The earlier pair will be replaced.",
                     nullptr, written);
        return platform::messages().askYesNo(question, platform::Messages::Answer::No);
    };
    callbacks.pictureWanted = [this](int, int) { return m_showNextPicture; };
    callbacks.afterRender = [this](const SubtitleImage& image) {
        m_preview.showRunPicture(image.pixels);
    };
    return callbacks;
}

void ConversionRun::showResult(const GenerationResult& result)
{
    // The core's notes are English; the window shows them in the user's language.
    QStringList parts = ShownNotes(result.notes);
    if (result.aborted) {
        if (!parts.isEmpty())
            platform::messages().showMessage(parts.join(QStringLiteral("\r\r")));
        return;
    }
    m_lastOutputFolder = QFileInfo(result.outputs.front()).absolutePath();
    m_lastRunFile = m_controls.OpenDialogsub.FileName;
    m_window.showFileStatus();
    const bool bluRay = OutputFormOf(m_streams.formKey()).bluRay;
    if (!result.helpShown.empty())
        parts << ShownHelpText(QString::fromStdString(result.helpShown));
    else if (bluRay)
        parts << writtenText(result);
    if (parts.isEmpty())
        return;
    if (platform::messages().showMessageWithAction(parts.join(QStringLiteral("\r\r")),
                                                   tr("Open Folder")) &&
        !platform::shell().openAddress(AddressOfFile(m_lastOutputFolder).toString())) {
        const QString folder = ReadableName(QDir::toNativeSeparators(m_lastOutputFolder));
        platform::messages().showMessage(
            bluRay ? tr("This desktop has no program that opens folders. The subtitles are "
                        "in:\r%1")
                         .arg(folder)
                   : tr("This desktop has no program that opens folders. The VobSub pair is "
                        "in:\r%1")
                         .arg(folder));
    }
}

QString ConversionRun::writtenText(const GenerationResult& result) const
{
    // English has no catalogue: its singular is a text of its own.
    QString text = result.written == 1
                       ? tr("All done: 1 subtitle picture written, at %1 and %2 frames a second.")
                       : tr("All done: %n subtitle pictures written, at %1 and %2 frames a second.",
                            nullptr, result.written);
    const QSize frame = OutputFrameOf(m_controls);
    const QString rate = m_controls.ComboBoxFps->currentText();
    const BluRayVideoFormat* format = FindBluRayVideoFormat(frame, FrameRate::fromText(rate));
    text = text.arg(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height()),
                    format ? QLatin1String(format->rateName) : rate);
    for (const QString& file : result.outputs)
        text += QLatin1Char('\r') + ReadableName(QDir::toNativeSeparators(file));
    return text;
}

} // namespace lumelle
