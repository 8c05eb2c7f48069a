// File dialog double: answers each request with the next queued file name, or cancels when the
// next entry is a cancel or the queue is empty; records the title and filter of every request.
// File and folder requests share the one queue.
#pragma once

#include "platform/widgets/FileDialogs.h"

#include <deque>
#include <vector>

namespace lumelle::platform {

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

    std::optional<QString> existingFolder(QWidget* parent, const QString& title,
                                          const QString& startFolder) override
    {
        return openFileName(parent, title, QString(), startFolder);
    }

private:
    struct Answer
    {
        bool cancel;
        QString fileName;
    };
    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
};

} // namespace lumelle::platform
