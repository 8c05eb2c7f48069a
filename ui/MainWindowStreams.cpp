// The main window's column right of the preview: the output form, more subtitle files written
// as further language streams of the same output, and the reading of rolling WebVTT captions.
#include "ass/AssSource.h"
#include "convert/JoinedSource.h"
#include "convert/TextSource.h"
#include "platform/Error.h"
#include "platform/Messages.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "settings/SettingsTable.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/LoadReport.h"
#include "ui/ColorListWidget.h"
#include "ui/Controls.h"
#include "ui/OutputForms.h"
#include "ui/Unit1.h"
#include "vobsub/Languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>

namespace lumelle {

namespace {

// The entry of the Language list for a code written in a file name ("fr", "fre", "fra"), or
// empty when the code names none of its languages.
QString languageEntryOfCode(const QString& code)
{
    const QString letters = IndexLanguageCode(code);
    if (letters.isEmpty())
        return QString();
    for (const QString& entry : VobsubLanguageNames())
        if (QString::fromStdString(LanguageCodeOf(entry)) == letters)
            return entry;
    return QString();
}

// The way a list row names a file, its language and its mark.
QString streamRowText(const QString& file, const QString& languageText, bool forced, bool loaded)
{
    QString text = QFileInfo(file).fileName() + QStringLiteral("  (") + languageText;
    if (forced)
        text += QStringLiteral(", ") + TForm1::tr("forced");
    if (loaded)
        text += QStringLiteral(", ") + TForm1::tr("loaded file");
    return text + QLatin1Char(')');
}

// The Delete key of the list removes the selected file.
class DeleteKeyFilter : public QObject
{
public:
    DeleteKeyFilter(TForm1* form) : QObject(form), m_form(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            m_form->RemoveStream(m_form->ListStreams->currentRow());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TForm1* m_form;
};

} // namespace

void TForm1::buildPairColumn()
{
    GroupBoxPair = new QGroupBox(tr("Output Form and Languages"), this);
    GroupBoxPair->setObjectName(QStringLiteral("GroupBoxPair"));
    GroupBoxPair->setGeometry(808, 4, 247, 370);

    makeLabel(GroupBoxPair, "LabelOutputFormCaption", tr("Write"), {8, 16, 0, 0});
    ComboBoxOutputForm = new QComboBox(GroupBoxPair);
    ComboBoxOutputForm->setObjectName(QStringLiteral("ComboBoxOutputForm"));
    for (const OutputForm& form : OutputForms())
        ComboBoxOutputForm->addItem(form.name(), QString::fromLatin1(form.key));
    ComboBoxOutputForm->setGeometry(8, 30, 231, 21);
    LabelOutputForm = makeLabel(this, control::kOutputForm, QString(), {51, 552, 0, 0});
    LabelOutputForm->resize(46, 13);
    LabelOutputForm->hide();

    makeLabel(GroupBoxPair, "LabelStreamsCaption", tr("Languages in the output"), {8, 60, 0, 0});
    ListStreams = new QListWidget(GroupBoxPair);
    ListStreams->setObjectName(QStringLiteral("ListStreams"));
    ListStreams->setGeometry(8, 74, 231, 150);
    ListStreams->setToolTip(
        tr("Each file becomes one subtitle stream; players choose the first one first.\r"
           "Delete removes the selected file."));
    ListStreams->installEventFilter(new DeleteKeyFilter(this));

    makeLabel(GroupBoxPair, "LabelStreamLanguage", tr("Language"), {8, 232, 0, 0});
    ComboBoxStreamLanguage = new QComboBox(GroupBoxPair);
    ComboBoxStreamLanguage->setObjectName(QStringLiteral("ComboBoxStreamLanguage"));
    ComboBoxStreamLanguage->addItems(VobsubLanguageNames());
    ComboBoxStreamLanguage->setGeometry(8, 246, 121, 21);
    ComboBoxStreamLanguage->view()->setMinimumWidth(170);
    CheckBoxStreamForced = new QCheckBox(tr("Forced"), GroupBoxPair);
    CheckBoxStreamForced->setObjectName(QStringLiteral("CheckBoxStreamForced"));
    CheckBoxStreamForced->setToolTip(
        tr("Shown even when the viewer turned subtitles off (foreign dialogue, signs)"));
    CheckBoxStreamForced->setGeometry(140, 248, 99, 17);

    ButtonAddStream =
        makeButton(GroupBoxPair, "ButtonAddStream", tr("Add File..."), {8, 276, 112, 23});
    ButtonRemoveStream =
        makeButton(GroupBoxPair, "ButtonRemoveStream", tr("Remove"), {127, 276, 112, 23});

    auto* note = makeLabel(GroupBoxPair, "LabelStreamsNote",
                           tr("Several languages need the VobSub pair: a .sup file holds one."),
                           {8, 306, 231, 28}, {false, true});
    note->setEnabled(false);

    CheckBoxRollingCaptions =
        new QCheckBox(tr("WebVTT: rolling captions shown once"), GroupBoxPair);
    CheckBoxRollingCaptions->setObjectName(QLatin1String(control::kRollingCaptions));
    CheckBoxRollingCaptions->setToolTip(
        tr("WebVTT captions typed as they are spoken repeat every line in the next cue: read "
           "them so that each line shows once"));
    CheckBoxRollingCaptions->setGeometry(8, 344, 231, 17);

    SetOutputFormKey(QString());
    fillStreamRows(0);
}

void TForm1::connectPairColumn()
{
    auto bind = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this, [this, handler] { RunGuarded(handler); });
    };
    bind(ComboBoxOutputForm, &QComboBox::currentIndexChanged,
         [this] { LabelOutputForm->setText(ComboBoxOutputForm->currentData().toString()); });
    bind(ListStreams, &QListWidget::currentRowChanged, [this] { showSelectedStream(); });
    bind(ComboBoxStreamLanguage, &QComboBox::currentIndexChanged, [this] {
        SetStreamLanguage(ListStreams->currentRow(), ComboBoxStreamLanguage->currentText());
    });
    bind(CheckBoxStreamForced, &QCheckBox::toggled,
         [this] { SetStreamForced(ListStreams->currentRow(), CheckBoxStreamForced->isChecked()); });
    bind(ButtonAddStream, &QPushButton::clicked, [this] { ButtonAddStreamClick(); });
    bind(ButtonRemoveStream, &QPushButton::clicked,
         [this] { RemoveStream(ListStreams->currentRow()); });
    bind(CheckBoxRollingCaptions, &QCheckBox::toggled, [this] { rollingCaptionsChange(); });
    // The loaded file's row names the Output group's language.
    bind(ComboBoxVobsubLanguage, &QComboBox::currentIndexChanged,
         [this] { fillStreamRows(ListStreams->currentRow()); });
}

QString TForm1::OutputFormKey() const
{
    return QLatin1String(OutputFormOf(LabelOutputForm->text()).key);
}

void TForm1::SetOutputFormKey(const QString& key)
{
    const OutputForm& form = OutputFormOf(key);
    LabelOutputForm->setText(QLatin1String(form.key));
    QSignalBlocker quiet(ComboBoxOutputForm);
    ComboBoxOutputForm->setCurrentIndex(
        ComboBoxOutputForm->findData(QString::fromLatin1(form.key)));
}

void TForm1::fillStreamRows(int row)
{
    QSignalBlocker quiet(ListStreams);
    ListStreams->clear();
    const QString loaded = OpenDialogsub.FileName;
    if (loaded.isEmpty())
        ListStreams->addItem(tr("(no file loaded)"));
    else
        ListStreams->addItem(
            streamRowText(loaded, ComboBoxVobsubLanguage->currentText(), m_loadedForced, true));
    ListStreams->item(0)->setToolTip(QDir::toNativeSeparators(loaded));
    for (const AddedStream& stream : m_addedStreams) {
        ListStreams->addItem(streamRowText(stream.file, stream.languageText, stream.forced, false));
        ListStreams->item(ListStreams->count() - 1)
            ->setToolTip(QDir::toNativeSeparators(stream.file));
    }
    ListStreams->setCurrentRow(std::clamp(row, 0, ListStreams->count() - 1));
    ButtonAddStream->setEnabled(!loaded.isEmpty());
    showSelectedStream();
}

void TForm1::showSelectedStream()
{
    const int row = ListStreams->currentRow();
    const bool added = row >= 1 && row <= int(m_addedStreams.size());
    QSignalBlocker quietLanguage(ComboBoxStreamLanguage);
    QSignalBlocker quietForced(CheckBoxStreamForced);
    if (added) {
        const AddedStream& stream = m_addedStreams[std::size_t(row - 1)];
        ComboBoxStreamLanguage->setCurrentIndex(
            ComboBoxStreamLanguage->findText(stream.languageText));
        CheckBoxStreamForced->setChecked(stream.forced);
        ComboBoxStreamLanguage->setToolTip(QString());
    } else {
        ComboBoxStreamLanguage->setCurrentIndex(
            ComboBoxStreamLanguage->findText(ComboBoxVobsubLanguage->currentText()));
        CheckBoxStreamForced->setChecked(m_loadedForced);
        ComboBoxStreamLanguage->setToolTip(
            tr("The loaded file's language is chosen in the Output group"));
    }
    ComboBoxStreamLanguage->setEnabled(added);
    CheckBoxStreamForced->setEnabled(added || !OpenDialogsub.FileName.isEmpty());
    ButtonRemoveStream->setEnabled(added);
}

void TForm1::SetStreamLanguage(int row, const QString& languageText)
{
    if (row < 1 || row > int(m_addedStreams.size()) ||
        !VobsubLanguageNames().contains(languageText))
        return;
    m_addedStreams[std::size_t(row - 1)].languageText = languageText;
    fillStreamRows(row);
}

void TForm1::SetStreamForced(int row, bool forced)
{
    if (row == 0)
        m_loadedForced = forced;
    else if (row >= 1 && row <= int(m_addedStreams.size()))
        m_addedStreams[std::size_t(row - 1)].forced = forced;
    else
        return;
    fillStreamRows(row);
}

bool TForm1::AddStreamFile(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    if (OpenDialogsub.FileName.isEmpty())
        return false;
    auto sameFile = [&file](const QString& other) {
        return QFileInfo(other).absoluteFilePath() == file;
    };
    bool listed = sameFile(OpenDialogsub.FileName);
    for (const AddedStream& stream : m_addedStreams)
        listed = listed || sameFile(stream.file);
    if (listed) {
        platform::messages().showMessage(
            tr("%1 is in the list already.").arg(QFileInfo(file).fileName()));
        return false;
    }
    // Read once now, so that a file the window cannot use is said at once.
    TSubtitle list;
    if (list.LoadFromFile(file, true, FrameRate::fromText(ComboBoxFps->currentText()), 0,
                          CurrentCharset()) == LoadOutcome::UnsupportedFormat ||
        list.Count() == 0) {
        platform::messages().showMessage(QStringLiteral("%1: %2").arg(
            QFileInfo(file).fileName(), list.Count() == 0 && KindOfFile(file) != FileKind::Unknown
                                            ? tr("no subtitle in it")
                                            : QString::fromLatin1(kUnsupportedFormatMessage)));
        return false;
    }
    // Entries skipped, characters no font draws: said now, as a loaded file's are.
    if (const QString report = LoadReport(list, file, CurrentCharset()); !report.isEmpty())
        platform::messages().showMessage(report);
    const StreamFileName name = ReadStreamFileName(QFileInfo(file).fileName());
    AddedStream stream{file, languageEntryOfCode(name.language), name.forced};
    if (stream.languageText.isEmpty())
        stream.languageText = ComboBoxVobsubLanguage->currentText();
    m_addedStreams.push_back(stream);
    m_streamsFile = OpenDialogsub.FileName;
    fillStreamRows(int(m_addedStreams.size()));
    return true;
}

void TForm1::ButtonAddStreamClick()
{
    platform::TOpenDialog dialog;
    dialog.Title = tr("Add a subtitle file of another language");
    dialog.Filter = OpenDialogsub.Filter;
    dialog.FileName = OpenDialogsub.FileName;
    if (dialog.Execute(this))
        AddStreamFile(dialog.FileName);
}

void TForm1::RemoveStream(int row)
{
    if (row < 1 || row > int(m_addedStreams.size()))
        return;
    m_addedStreams.erase(m_addedStreams.begin() + (row - 1));
    fillStreamRows(row);
}

void TForm1::streamsFollowLoadedFile()
{
    const QString loaded = OpenDialogsub.FileName;
    if (loaded != m_streamsFile) {
        m_addedStreams.clear();
        m_loadedForced = false;
        m_streamsFile = loaded;
    }
    fillStreamRows(ListStreams->currentRow());
}

void TForm1::rollingCaptionsChange()
{
    // Only WebVTT captions roll: another kind of file reads the same either way.
    if (Subtitle && Subtitle->Kind() == FileKind::WebVtt) {
        Subtitle.reset();
        ButtonLoadSrtClick(CheckBoxRollingCaptions);
    }
}

bool TForm1::addedStreamsReady()
{
    m_streamLists.clear();
    if (m_addedStreams.empty())
        return true;
    const OutputForm& form = OutputFormOf(OutputFormKey());
    if (!form.severalStreams) {
        platform::messages().showMessage(
            tr("\"%1\" holds one language. Remove the added files or write the VobSub pair.")
                .arg(form.name()));
        return false;
    }
    const RenderSettings settings = GatherRenderSettings();
    const int threads = std::max(1, QThread::idealThreadCount());
    for (const AddedStream& stream : m_addedStreams) {
        const QString name = QFileInfo(stream.file).fileName();
        auto& list = *m_streamLists.emplace_back(std::make_unique<TSubtitle>());
        list.SetLanguageHint(LanguageCodeOf(stream.languageText));
        list.SetRollingCaptions(CheckBoxRollingCaptions->isChecked());
        if (list.LoadFromFile(stream.file, true, FrameRate::fromText(ComboBoxFps->currentText()), 0,
                              CurrentCharset()) == LoadOutcome::UnsupportedFormat) {
            platform::messages().showMessage(
                QStringLiteral("%1: %2").arg(name, QString::fromLatin1(kUnsupportedFormatMessage)));
            return false;
        }
        // libass places and wraps a script's lines itself.
        const int tooWide =
            list.Kind() == FileKind::Ass ? 0 : FirstTooWideEntry(list, settings, threads);
        if (tooWide > 0) {
            const SubtitleLine& entry = list.line(tooWide);
            platform::messages().showMessage(
                TooLongMessage(entry.Line1, LinesAfterFirst(entry), kTooLongAfterFontChange) +
                QStringLiteral("\r\r") + tr("This is subtitle %1 of %2.").arg(tooWide).arg(name));
            return false;
        }
    }
    return true;
}

// The pictures of the loaded file alone, or of every file as the streams of one output.
std::shared_ptr<PictureSource> TForm1::pictureSource(const RenderSettings& settings)
{
    const FrameRate rate = FrameRate::fromText(ComboBoxFps->currentText());
    const auto sourceOf = [&](const TSubtitle& list, const QString& file, bool forced) {
        return PictureSourceOf(list, file, settings, rate, kAnimationStepsDefault, forced);
    };
    if (m_streamLists.empty())
        return sourceOf(*Subtitle, OpenDialogsub.FileName, m_loadedForced);
    std::vector<JoinedPictureSource::Input> inputs;
    inputs.push_back({sourceOf(*Subtitle, OpenDialogsub.FileName, m_loadedForced),
                      QFileInfo(OpenDialogsub.FileName).fileName()});
    for (std::size_t i = 0; i < m_streamLists.size(); ++i)
        inputs.push_back(
            {sourceOf(*m_streamLists[i], m_addedStreams[i].file, m_addedStreams[i].forced),
             QFileInfo(m_addedStreams[i].file).fileName()});
    return std::make_shared<JoinedPictureSource>(std::move(inputs));
}

OutputChoices TForm1::outputChoices() const
{
    OutputChoices choices;
    choices.frameRate = FrameRate::fromText(ComboBoxFps->currentText());
    choices.frameRateText = ComboBoxFps->currentText();
    choices.videoStandard = VideoStandardFromFps(ComboBoxFps->currentText());
    choices.paletteMode = CurrentPaletteMode();
    choices.languageText = ComboBoxVobsubLanguage->currentText();
    choices.colours =
        OutputColours{JvColorButtonAntialias->colorValue(), JvColorButtonOutline->colorValue(),
                      JvColorButtonText->colorValue()};
    if (!m_streamLists.empty()) {
        const QString loaded = OpenDialogsub.FileName;
        choices.streams.push_back({QString::fromStdString(LanguageCodeOf(choices.languageText)),
                                   QString(), QFileInfo(loaded).fileName()});
        for (const AddedStream& stream : m_addedStreams)
            choices.streams.push_back({QString::fromStdString(LanguageCodeOf(stream.languageText)),
                                       QString(), QFileInfo(stream.file).fileName()});
    }
    return choices;
}

} // namespace lumelle
