// The main window's desktop habits: a dropped subtitle file and Ctrl+O load a file, a click on
// the selected row draws it again, and the file-name box's tooltip goes when its text changes.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QDragEnterEvent;
class QDropEvent;
class QWidget;

namespace lumelle {

struct MainWindowControls;

class DesktopHabits : public QObject
{
public:
    // What the habits do in the window: load the file named in the subtitle dialog, and draw
    // the selected row; each runs guarded.
    struct Handlers
    {
        std::function<void()> loadFile;
        std::function<void()> drawSelectedRow;
    };

    // Habits of `window`, whose controls are `controls`; both outlive this.
    DesktopHabits(QWidget* window, MainWindowControls& controls, Handlers handlers);
    // Drops, the shortcut and the list's clicks answer from now on.
    void connectControls();

    // Loads `path` as "Load Srt,Sub" does, the file dialog skipped. False when the window is
    // busy or the file is not a subtitle file it reads.
    bool loadDroppedFile(const QString& path);
    // Whether a dropped file's name ends in one of the subtitle extensions.
    static bool isSubtitleFileName(const QString& path);
    // A name with a subtitle extension, or a file of pictures under any name.
    static bool isSubtitleFile(const QString& path);
    // A drop is always a copy: the file stays where it was, whatever the source proposed (a
    // file manager told "moved" may delete its file).
    void dragEnter(QDragEnterEvent* event);
    void drop(QDropEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window takes files now: idle and its Input group enabled.
    bool takesFiles() const;

    QWidget* m_window;
    MainWindowControls& m_controls;
    Handlers m_handlers;
    // The row selected when the mouse was pressed on the list.
    int m_rowAtPress = -1;
};

} // namespace lumelle
