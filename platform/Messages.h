// The message layer: plain message, information box and Yes/No question. The core asks the
// current layer to show a text; the window installs one over message boxes, the converter one
// that prints, and the tests a recording double.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

namespace lumelle::platform {

class Messages
{
public:
    virtual ~Messages() = default;
    // A plain message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // An information box with an OK button.
    virtual void showInformation(const QString& text) = 0;
    // A question without icon with Yes and No; true when Yes was pressed.
    virtual bool askYesNo(const QString& text) = 0;
};

// The layer in use. Never null: without an installed layer texts go nowhere and questions
// are answered No.
Messages& messages();
// Installs a layer (not owned); nullptr puts the silent one back. Returns the previous one.
Messages* setMessages(Messages* layer);

// Installs a layer for the lifetime of this object.
class ScopedMessages
{
public:
    explicit ScopedMessages(Messages* layer) : m_previous(setMessages(layer)) {}
    ~ScopedMessages() { setMessages(m_previous); }
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

private:
    Messages* m_previous;
};

// Test double: records every text with its kind and answers questions from a queue
// (No when the queue is empty).
class RecordingMessages : public Messages
{
public:
    enum class Kind { Message, Information, Question };
    struct Entry
    {
        Kind kind;
        QString text;
    };

    void showMessage(const QString& text) override { m_entries.push_back({Kind::Message, text}); }
    void showInformation(const QString& text) override
    {
        m_entries.push_back({Kind::Information, text});
    }
    bool askYesNo(const QString& text) override
    {
        m_entries.push_back({Kind::Question, text});
        if (m_answers.empty())
            return false;
        bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    void queueAnswer(bool yes) { m_answers.push_back(yes); }
    const std::vector<Entry>& entries() const { return m_entries; }
    QStringList texts() const
    {
        QStringList all;
        for (const Entry& e : m_entries)
            all << e.text;
        return all;
    }
    void clear() { m_entries.clear(); }

private:
    std::vector<Entry> m_entries;
    std::deque<bool> m_answers;
};

} // namespace lumelle::platform
