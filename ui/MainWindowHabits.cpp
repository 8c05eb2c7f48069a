// The main window's desktop habits and run guards: a dropped file and Ctrl+O load a subtitle
// file, the file-name box shows the end of the path, a click on the selected row draws it, a
// double click on Generate starts one run, every subtitle is checked before a run writes, and
// the end of a run says where the pair went.
#include "platform/IniStore.h"
#include "platform/Messages.h"
#include "platform/Shell.h"
#include "platform/SystemNames.h"
#include "render/WidthCheck.h"
#include "subtitle/SubtitleKinds.h"
#include "ui/Unit1.h"

#include "convert/GenerationRun.h"
#include "convert/UnitPipeline.h"
#include "render/TextBlock.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>

namespace lumelle {

namespace {

// The one local file of a drag, or nothing when it carries anything else.
QString draggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1)
        return QString();
    const QUrl url = data->urls().first();
    return url.isLocalFile() ? LocalFileOf(url) : QString();
}

} // namespace

void TForm1::connectDesktopHabits()
{
    setAcceptDrops(true);
    auto* open = new QShortcut(QKeySequence::Open, this);
    connect(open, &QShortcut::activated, this, [this] {
        if (ButtonLoadSrt->isEnabled() && GroupBoxInput->isEnabled())
            ButtonLoadSrt->click();
    });

    // A press on the row that is already selected changes nothing, so the row-change handler
    // does not draw it; the click that follows does.
    ListBox1->viewport()->installEventFilter(this);
    connect(ListBox1, &QListWidget::clicked, this, [this](const QModelIndex& index) {
        if (index.row() == m_rowAtPress)
            RunGuarded([this] { ListBox1Click(); });
    });
    connect(EditLoadSrt, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!EditLoadSrt->toolTip().startsWith(QDir::toNativeSeparators(text)))
            EditLoadSrt->setToolTip(QString());
    });
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowAtPress = ListBox1->currentRow();
    return QWidget::eventFilter(watched, event);
}

bool TForm1::IsSubtitleFileName(const QString& path)
{
    return HasSubtitleExtension(QFileInfo(path).fileName());
}

bool TForm1::LoadDroppedFile(const QString& path)
{
    // Never while a run is busy with the current list.
    if (!RunStopped || !GroupBoxInput->isEnabled())
        return false;
    if (!IsSubtitleFileName(path) || KindOfName(path) != NameKind::File)
        return false;
    OpenDialogsub.FileName = path;
    RunGuarded([this] { ButtonLoadSrtClick(this); });
    return true;
}

// A drop is always a copy: the file stays where it was, whatever the source proposed (a file
// manager told "moved" may delete its file).
void TForm1::dragEnterEvent(QDragEnterEvent* event)
{
    const QString path = draggedFile(event->mimeData());
    if (!path.isEmpty() && IsSubtitleFileName(path) && RunStopped && GroupBoxInput->isEnabled() &&
        (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void TForm1::dropEvent(QDropEvent* event)
{
    if (!(event->possibleActions() & Qt::CopyAction))
        return;
    const QString path = draggedFile(event->mimeData());
    // The drop's messages belong to this window, which the drag left inactive.
    activateWindow();
    raise();
    event->setDropAction(Qt::CopyAction);
    if (LoadDroppedFile(path))
        event->accept();
    else
        event->ignore();
}

void TForm1::showFileStatus(const QString& path)
{
    const QString shown = ReadableName(path);
    EditLoadSrt->setText(shown);
    // The end of the path, the file's own name, is what a narrow box should show.
    EditLoadSrt->setCursorPosition(int(shown.size()));
    QString tip = QDir::toNativeSeparators(shown);
    // Only a run made from this very file tells where its pair went.
    if (!m_lastOutputFolder.isEmpty() && path == m_lastRunFile)
        tip += QLatin1Char('\n') +
               tr("Last VobSub pair written to %1")
                   .arg(ReadableName(QDir::toNativeSeparators(m_lastOutputFolder)));
    EditLoadSrt->setToolTip(tip);
}

void TForm1::reloadAfterDefaults(const QString& frameRateBefore, quint8 charsetBefore,
                                 bool rollingBefore)
{
    // Frame numbers were counted at the old rate and the text read in the old character set:
    // both would be wrong under the new ones.
    if (OpenDialogsub.FileName.isEmpty())
        return;
    if (ComboBoxFps->currentText() != frameRateBefore)
        ComboBoxFpsChange();
    else if (CurrentCharset() != charsetBefore)
        ComboBox7Change();
    else if (CheckBoxRollingCaptions->isChecked() != rollingBefore)
        rollingCaptionsChange();
}

bool TForm1::acceptPicturePath(const QString& path)
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

bool TForm1::isDoubleClickOfRunStart() const
{
    return m_runStarted.isValid() && m_runStarted.elapsed() < QApplication::doubleClickInterval();
}

bool TForm1::allSubtitlesFit()
{
    // The flags speak of the last check; the settings may have changed since, and a row that
    // fits may have been drawn after a refused one.
    const RenderSettings settings = GatherRenderSettings();
    const int first = m_assScript ? 0 : FirstTooWideEntry(*Subtitle, settings, WorkerCount(0));
    if (first == 0)
        return true;
    LinesFit = false;
    const SubtitleLine& entry = Subtitle->line(first);
    showTooWide(first, entry.Line1, LinesAfterFirst(entry), kTooLongAfterFontChange);
    return false;
}

void TForm1::showRunResult(const GenerationResult& result)
{
    QStringList parts = result.notes;
    if (result.aborted) {
        if (!parts.isEmpty())
            platform::messages().showMessage(parts.join(QStringLiteral("\r\r")));
        return;
    }
    m_lastOutputFolder = QFileInfo(result.outputs.front()).absolutePath();
    m_lastRunFile = OpenDialogsub.FileName;
    showFileStatus(OpenDialogsub.FileName);
    if (!result.helpText.empty())
        parts << QString::fromStdString(result.helpText);
    if (parts.isEmpty())
        return;
    if (platform::messages().showMessageWithAction(parts.join(QStringLiteral("\r\r")),
                                                   tr("Open Folder")) &&
        !platform::shell().openAddress(AddressOfFile(m_lastOutputFolder).toString()))
        platform::messages().showMessage(
            tr("This desktop has no program that opens folders. The VobSub pair is in:\r%1")
                .arg(ReadableName(QDir::toNativeSeparators(m_lastOutputFolder))));
}

} // namespace lumelle
