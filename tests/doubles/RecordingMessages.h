// Message layer double: records every text with its kind and answers questions from a queue
// (No when the queue is empty).
#pragma once

#include "platform/Messages.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace lumelle::platform {

class RecordingMessages : public Messages
{
public:
    enum class Kind { Message, Information, Question };
    struct Entry
    {
        Kind kind;
        QString text;
    };

    void showMessage(const QString& text) override
    {
        m_entries.push_back({Kind::Message, text});
        if (whileShown)
            whileShown();
    }
    void showInformation(const QString& text) override
    {
        m_entries.push_back({Kind::Information, text});
    }
    bool askYesNo(const QString& text, Answer preferred = Answer::Yes) override
    {
        m_entries.push_back({Kind::Question, text});
        m_preferred.push_back(preferred);
        if (m_answers.empty())
            return false;
        bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    // Recorded as a plain message; the action is taken when queueAction(true) came first.
    bool showMessageWithAction(const QString& text, const QString& action) override
    {
        m_entries.push_back({Kind::Message, text});
        m_actions.push_back(action);
        if (whileShown)
            whileShown();
        if (m_actionAnswers.empty())
            return false;
        bool take = m_actionAnswers.front();
        m_actionAnswers.pop_front();
        return take;
    }
    void queueAction(bool take) { m_actionAnswers.push_back(take); }
    // The captions of the action buttons offered so far.
    const QStringList& actions() const { return m_actions; }

    void queueAnswer(bool yes) { m_answers.push_back(yes); }
    const std::vector<Entry>& entries() const { return m_entries; }
    QStringList texts() const
    {
        QStringList all;
        for (const Entry& e : m_entries)
            all << e.text;
        return all;
    }
    // The default button of each question asked so far.
    const std::vector<Answer>& preferredAnswers() const { return m_preferred; }
    void clear()
    {
        m_entries.clear();
        m_preferred.clear();
    }
    // Runs while each plain message is "on screen": a test looks at the window behind it.
    std::function<void()> whileShown;

private:
    std::vector<Entry> m_entries;
    std::vector<Answer> m_preferred;
    std::deque<bool> m_answers;
    std::deque<bool> m_actionAnswers;
    QStringList m_actions;
};

} // namespace lumelle::platform
