// File-open dialogs: a dialog object that keeps its title, filter and current file name, over a
// replaceable layer that asks the user. The window program uses QFileDialog; tests install a
// double that answers from a queue.
#pragma once

#include <QString>
#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace lumelle::platform {

class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Asks for one existing file. `filter` is in the "label|pattern|label|pattern" form;
    // `currentFileName` is where the dialog starts. No value when the user cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                                const QString& filter,
                                                const QString& currentFileName) = 0;
};

// The layer in use; never null (QFileDialog unless another one is installed).
FileDialogs& fileDialogs();
// Installs a layer (not owned); nullptr puts the QFileDialog one back. Returns the previous one.
FileDialogs* setFileDialogs(FileDialogs* layer);

class ScopedFileDialogs
{
public:
    explicit ScopedFileDialogs(FileDialogs* layer) : m_previous(setFileDialogs(layer)) {}
    ~ScopedFileDialogs() { setFileDialogs(m_previous); }
    ScopedFileDialogs(const ScopedFileDialogs&) = delete;
    ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

private:
    FileDialogs* m_previous;
};

// Turns "label|pattern|label|pattern" into Qt's "label (pattern pattern)" lines; the patterns of
// one entry are separated by ";" in the list form and by blanks in Qt's form.
QString QtFilterFromList(const QString& filter);

// One file-open dialog. `FileName` is kept when the user cancels, so it always names the last
// file chosen (or is empty when none ever was).
class TOpenDialog
{
public:
    QString Title;
    QString Filter;
    QString FileName;

    // Shows the dialog modally; true and a new FileName when the user picked a file.
    bool Execute(QWidget* parent = nullptr);
};

// Test double: answers each request with the next queued file name, or cancels when the next
// entry is a cancel or the queue is empty; records the title and filter of every request.
class QueuedFileDialogs : public FileDialogs
{
public:
    struct Request
    {
        QString title;
        QString filter;
        QString currentFileName;
    };

    void queueFile(const QString& fileName) { m_answers.push_back({false, fileName}); }
    void queueCancel() { m_answers.push_back({true, QString()}); }
    const std::vector<Request>& requests() const { return m_requests; }
    std::size_t pending() const { return m_answers.size(); }

    std::optional<QString> openFileName(QWidget*, const QString& title, const QString& filter,
                                        const QString& currentFileName) override
    {
        m_requests.push_back({title, filter, currentFileName});
        if (m_answers.empty())
            return std::nullopt;
        Answer answer = m_answers.front();
        m_answers.pop_front();
        if (answer.cancel)
            return std::nullopt;
        return answer.fileName;
    }

private:
    struct Answer {
        bool cancel;
        QString fileName;
    };
    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
};

} // namespace lumelle::platform
