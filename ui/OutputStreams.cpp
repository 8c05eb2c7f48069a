#include "ui/OutputStreams.h"

#include "ass/AssSource.h"
#include "convert/JoinedSource.h"
#include "pgs/BluRayForm.h"
#include "platform/Messages.h"
#include "platform/widgets/FileDialogs.h"
#include "render/TextBlock.h"
#include "render/WidthCheck.h"
#include "settings/SettingsTable.h"
#include "subtitle/CodePageGuess.h"
#include "subtitle/FileKind.h"
#include "subtitle/ForcedMarks.h"
#include "subtitle/LoadReport.h"
#include "subtitle/Subtitle.h"
#include "ui/HandlerGuard.h"
#include "ui/ListValues.h"
#include "ui/MainWindowControls.h"
#include "ui/OutputForms.h"
#include "vobsub/Languages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QThread>
#include <algorithm>

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
    QString text = QFileInfo(file).fileName() + QStringLiteral("  (") + ShownLanguage(languageText);
    if (forced)
        text += QStringLiteral(", ") + OutputStreams::tr("forced");
    if (loaded)
        text += QStringLiteral(", ") + OutputStreams::tr("loaded file");
    return text + QLatin1Char(')');
}

// The Delete key of the list removes the selected file.
class DeleteKeyFilter : public QObject
{
public:
    DeleteKeyFilter(QObject* parent, OutputStreams* streams, QListWidget* list)
        : QObject(parent), m_streams(streams), m_list(list)
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
            m_streams->remove(m_list->currentRow());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    OutputStreams* m_streams;
    QListWidget* m_list;
};

} // namespace

OutputStreams::OutputStreams(QWidget* window, MainWindowControls& controls)
    : m_window(window), m_controls(controls)
{
    m_controls.ListStreams->installEventFilter(
        new DeleteKeyFilter(window, this, m_controls.ListStreams));
    setFormKey(QString());
    setFrameSizeText(QString());
    fillRows(0);
}

OutputStreams::~OutputStreams() = default;

void OutputStreams::connectControls()
{
    const MainWindowControls& c = m_controls;
    auto bind = [this](auto* sender, auto signal, std::function<void()> handler) {
        BindShowingErrors(sender, signal, m_window, std::move(handler));
    };
    bind(c.ComboBoxOutputForm, &QComboBox::currentIndexChanged, [this, &c] {
        c.LabelOutputForm->setText(c.ComboBoxOutputForm->currentData().toString());
        c.ComboBoxFrameSize->setEnabled(OutputFormOf(formKey()).bluRay);
    });
    bind(c.ComboBoxFrameSize, &QComboBox::currentIndexChanged,
         [&c] { c.LabelFrameSize->setText(c.ComboBoxFrameSize->currentText()); });
    bind(c.ListStreams, &QListWidget::currentRowChanged, [this] { showSelected(); });
    bind(c.ComboBoxStreamLanguage, &QComboBox::currentIndexChanged, [this, &c] {
        setLanguage(c.ListStreams->currentRow(), ValueOf(c.ComboBoxStreamLanguage));
    });
    bind(c.CheckBoxStreamForced, &QCheckBox::toggled, [this, &c] {
        setForced(c.ListStreams->currentRow(), c.CheckBoxStreamForced->isChecked());
    });
    bind(c.ButtonRemoveStream, &QPushButton::clicked,
         [this, &c] { remove(c.ListStreams->currentRow()); });
    // The loaded file's row names the Output group's language.
    bind(c.ComboBoxVobsubLanguage, &QComboBox::currentIndexChanged,
         [this, &c] { fillRows(c.ListStreams->currentRow()); });
}

QString OutputStreams::formKey() const
{
    return QLatin1String(OutputFormOf(m_controls.LabelOutputForm->text()).key);
}

void OutputStreams::setFormKey(const QString& key)
{
    const OutputForm& form = OutputFormOf(key);
    m_controls.LabelOutputForm->setText(QLatin1String(form.key));
    QSignalBlocker quiet(m_controls.ComboBoxOutputForm);
    m_controls.ComboBoxOutputForm->setCurrentIndex(
        m_controls.ComboBoxOutputForm->findData(QString::fromLatin1(form.key)));
    m_controls.ComboBoxFrameSize->setEnabled(form.bluRay);
}

void OutputStreams::setFrameSizeText(const QString& text)
{
    const QString size =
        BluRayFrameSizeTexts().contains(text) ? text : BluRayFrameSizeTexts().front();
    m_controls.LabelFrameSize->setText(size);
    QSignalBlocker quiet(m_controls.ComboBoxFrameSize);
    m_controls.ComboBoxFrameSize->setCurrentIndex(m_controls.ComboBoxFrameSize->findText(size));
}

void OutputStreams::fillRows(int row)
{
    QListWidget* rows = m_controls.ListStreams;
    QSignalBlocker quiet(rows);
    rows->clear();
    const QString& loaded = m_addedTo;
    if (loaded.isEmpty())
        rows->addItem(tr("(no file loaded)"));
    else
        rows->addItem(streamRowText(loaded, ValueOf(m_controls.ComboBoxVobsubLanguage),
                                    m_loadedForced, true));
    rows->item(0)->setToolTip(QDir::toNativeSeparators(loaded));
    for (const AddedStream& stream : m_added) {
        rows->addItem(streamRowText(stream.file, stream.languageText, stream.forced, false));
        rows->item(rows->count() - 1)->setToolTip(QDir::toNativeSeparators(stream.file));
    }
    rows->setCurrentRow(std::clamp(row, 0, rows->count() - 1));
    // The files of more languages are drawn beside a text file; pictures are one stream.
    m_controls.ButtonAddStream->setEnabled(!loaded.isEmpty() && !m_loadedPictures);
    m_controls.ButtonAddStream->setToolTip(
        m_loadedPictures ? tr("Files of more languages are added to a text subtitle only.")
                         : QString());
    showSelected();
}

void OutputStreams::showSelected()
{
    QComboBox* language = m_controls.ComboBoxStreamLanguage;
    QCheckBox* forced = m_controls.CheckBoxStreamForced;
    const int row = m_controls.ListStreams->currentRow();
    const bool added = row >= 1 && row <= int(m_added.size());
    QSignalBlocker quietLanguage(language);
    QSignalBlocker quietForced(forced);
    if (added) {
        const AddedStream& stream = m_added[std::size_t(row - 1)];
        language->setCurrentIndex(IndexOfValue(language, stream.languageText));
        forced->setChecked(stream.forced);
        language->setToolTip(QString());
    } else {
        language->setCurrentIndex(
            IndexOfValue(language, ValueOf(m_controls.ComboBoxVobsubLanguage)));
        forced->setChecked(m_loadedForced);
        language->setToolTip(tr("The loaded file's language is chosen in the Output group"));
    }
    language->setEnabled(added);
    forced->setEnabled(added || !m_addedTo.isEmpty());
    m_controls.ButtonRemoveStream->setEnabled(added);
}

void OutputStreams::setLanguage(int row, const QString& languageText)
{
    if (row < 1 || row > int(m_added.size()) || !VobsubLanguageNames().contains(languageText))
        return;
    m_added[std::size_t(row - 1)].languageText = languageText;
    fillRows(row);
}

void OutputStreams::setForced(int row, bool forced)
{
    if (row == 0)
        m_loadedForced = forced;
    else if (row >= 1 && row <= int(m_added.size()))
        m_added[std::size_t(row - 1)].forced = forced;
    else
        return;
    fillRows(row);
}

bool OutputStreams::addFile(const QString& path)
{
    const QString file = QFileInfo(path).absoluteFilePath();
    const QString loaded = m_addedTo;
    if (loaded.isEmpty())
        return false;
    auto sameFile = [&file](const QString& other) {
        return QFileInfo(other).absoluteFilePath() == file;
    };
    bool listed = sameFile(loaded);
    for (const AddedStream& stream : m_added)
        listed = listed || sameFile(stream.file);
    if (listed) {
        platform::messages().showMessage(
            tr("%1 is in the list already.").arg(QFileInfo(file).fileName()));
        return false;
    }
    // Read once now, so that a file the window cannot use is said at once.
    const quint8 charset = CharsetOf(m_controls);
    TSubtitle list;
    if (list.LoadFromFile(file, true, FrameRate::fromText(m_controls.ComboBoxFps->currentText()), 0,
                          charset) == LoadOutcome::UnsupportedFormat ||
        list.Count() == 0) {
        platform::messages().showMessage(QStringLiteral("%1: %2").arg(
            QFileInfo(file).fileName(), list.Count() == 0 && KindOfFile(file) != FileKind::Unknown
                                            ? tr("no subtitle in it")
                                            : QString::fromLatin1(kUnsupportedFormatMessage)));
        return false;
    }
    // Entries skipped, characters no font draws: said now, as a loaded file's are.
    if (const QString report = LoadReport(list, file, charset); !report.isEmpty())
        platform::messages().showMessage(report);
    const StreamFileName name = ReadStreamFileName(QFileInfo(file).fileName());
    AddedStream stream{file, languageEntryOfCode(name.language), name.forced};
    if (stream.languageText.isEmpty())
        stream.languageText = ValueOf(m_controls.ComboBoxVobsubLanguage);
    m_added.push_back(stream);
    fillRows(int(m_added.size()));
    return true;
}

void OutputStreams::askForFile()
{
    platform::TOpenDialog dialog;
    dialog.Title = tr("Add a subtitle file of another language");
    dialog.Filter = m_controls.OpenDialogsub.Filter;
    dialog.FileName = m_controls.OpenDialogsub.FileName;
    if (dialog.Execute(m_window))
        addFile(dialog.FileName);
}

void OutputStreams::remove(int row)
{
    if (row < 1 || row > int(m_added.size()))
        return;
    m_added.erase(m_added.begin() + (row - 1));
    fillRows(row);
}

void OutputStreams::followLoadedFile(const QString& loaded, bool pictures)
{
    m_loadedPictures = pictures;
    if (loaded != m_addedTo) {
        m_added.clear();
        m_loadedForced = false;
        m_addedTo = loaded;
    }
    fillRows(m_controls.ListStreams->currentRow());
}

bool OutputStreams::readyForRun(const RenderSettings& settings)
{
    m_lists.clear();
    if (m_added.empty())
        return true;
    const OutputForm& form = OutputFormOf(formKey());
    if (!form.severalStreams) {
        platform::messages().showMessage(
            tr("\"%1\" holds one language. Remove the added files or write the VobSub pair.")
                .arg(form.name()));
        return false;
    }
    const int threads = std::max(1, QThread::idealThreadCount());
    const FrameRate rate = FrameRate::fromText(m_controls.ComboBoxFps->currentText());
    for (const AddedStream& stream : m_added) {
        const QString name = QFileInfo(stream.file).fileName();
        auto& list = *m_lists.emplace_back(std::make_unique<TSubtitle>());
        list.SetLanguageHint(LanguageCodeOf(stream.languageText));
        list.SetRollingCaptions(m_controls.CheckBoxRollingCaptions->isChecked());
        if (list.LoadFromFile(stream.file, true, rate, 0, CharsetOf(m_controls)) ==
            LoadOutcome::UnsupportedFormat) {
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

std::shared_ptr<PictureSource> OutputStreams::pictureSource(const TSubtitle& loaded,
                                                            const RenderSettings& settings) const
{
    const FrameRate rate = FrameRate::fromText(m_controls.ComboBoxFps->currentText());
    const auto sourceOf = [&](const TSubtitle& list, const QString& file, bool forced) {
        return PictureSourceOf(list, file, settings, rate, kAnimationStepsDefault, forced);
    };
    const QString loadedFile = m_controls.OpenDialogsub.FileName;
    if (m_lists.empty())
        return sourceOf(loaded, loadedFile, m_loadedForced);
    std::vector<JoinedPictureSource::Input> inputs;
    inputs.push_back(
        {sourceOf(loaded, loadedFile, m_loadedForced), QFileInfo(loadedFile).fileName()});
    for (std::size_t i = 0; i < m_lists.size(); ++i)
        inputs.push_back({sourceOf(*m_lists[i], m_added[i].file, m_added[i].forced),
                          QFileInfo(m_added[i].file).fileName()});
    return std::make_shared<JoinedPictureSource>(std::move(inputs));
}

std::vector<VobSubStream> OutputStreams::streams(const QString& loadedLanguage) const
{
    std::vector<VobSubStream> streams;
    if (m_lists.empty())
        return streams;
    streams.push_back({QString::fromStdString(LanguageCodeOf(loadedLanguage)), QString(),
                       QFileInfo(m_controls.OpenDialogsub.FileName).fileName()});
    for (const AddedStream& stream : m_added)
        streams.push_back({QString::fromStdString(LanguageCodeOf(stream.languageText)), QString(),
                           QFileInfo(stream.file).fileName()});
    return streams;
}

QStringList OutputStreams::addedFiles() const
{
    QStringList files;
    for (const AddedStream& stream : m_added)
        files << stream.file;
    return files;
}

} // namespace lumelle
