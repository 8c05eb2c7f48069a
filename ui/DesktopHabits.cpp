#include "ui/DesktopHabits.h"

#include "bdn/PictureFile.h"
#include "platform/SystemNames.h"
#include "subtitle/SubtitleKinds.h"
#include "ui/ConversionRun.h"
#include "ui/MainWindowControls.h"

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

DesktopHabits::DesktopHabits(QWidget* window, MainWindowControls& controls, Handlers handlers)
    : m_window(window), m_controls(controls), m_handlers(std::move(handlers))
{}

void DesktopHabits::connectControls()
{
    const MainWindowControls& c = m_controls;
    m_window->setAcceptDrops(true);
    auto* open = new QShortcut(QKeySequence::Open, m_window);
    connect(open, &QShortcut::activated, m_window, [&c] {
        if (c.ButtonLoadSrt->isEnabled() && c.GroupBoxInput->isEnabled())
            c.ButtonLoadSrt->click();
    });

    // A press on the row that is already selected changes nothing, so the row-change handler
    // does not draw it; the click that follows does.
    c.ListBox1->viewport()->installEventFilter(this);
    connect(c.ListBox1, &QListWidget::clicked, m_window, [this](const QModelIndex& index) {
        if (index.row() == m_rowAtPress)
            m_handlers.drawSelectedRow();
    });
    connect(c.EditLoadSrt, &QLineEdit::textChanged, m_window, [&c](const QString& text) {
        if (!c.EditLoadSrt->toolTip().startsWith(QDir::toNativeSeparators(text)))
            c.EditLoadSrt->setToolTip(QString());
    });
}

bool DesktopHabits::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_controls.ListBox1->viewport() && event->type() == QEvent::MouseButtonPress)
        m_rowAtPress = m_controls.ListBox1->currentRow();
    return QObject::eventFilter(watched, event);
}

bool DesktopHabits::takesFiles() const
{
    // Never while a run is busy with the current list.
    return RunStopped && m_controls.GroupBoxInput->isEnabled();
}

bool DesktopHabits::isSubtitleFileName(const QString& path)
{
    return HasSubtitleExtension(QFileInfo(path).fileName());
}

bool DesktopHabits::isSubtitleFile(const QString& path)
{
    // Pictures are known by what the file holds, under any name.
    return isSubtitleFileName(path) || pgs::IsPictureFile(path);
}

bool DesktopHabits::loadDroppedFile(const QString& path)
{
    if (!takesFiles())
        return false;
    if (KindOfName(path) != NameKind::File || !isSubtitleFile(path))
        return false;
    m_controls.OpenDialogsub.FileName = path;
    m_handlers.loadFile();
    return true;
}

void DesktopHabits::dragEnter(QDragEnterEvent* event)
{
    const QString path = draggedFile(event->mimeData());
    if (!path.isEmpty() && isSubtitleFile(path) && takesFiles() &&
        (event->possibleActions() & Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    }
}

void DesktopHabits::drop(QDropEvent* event)
{
    if (!(event->possibleActions() & Qt::CopyAction))
        return;
    const QString path = draggedFile(event->mimeData());
    // The drop's messages belong to this window, which the drag left inactive.
    m_window->activateWindow();
    m_window->raise();
    event->setDropAction(Qt::CopyAction);
    if (loadDroppedFile(path))
        event->accept();
    else
        event->ignore();
}

} // namespace lumelle
