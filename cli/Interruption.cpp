#include "cli/Interruption.h"

#include <atomic>
#include <csignal>
#include <unistd.h>

namespace lumelle {

namespace {

// What the signal handler reads and writes. It has no other way to reach the run, and it may
// interrupt any thread, the drawing threads too: each of these is a lock-free atomic, which a
// handler may use safely.
std::atomic<int> g_stopRequested{0};
std::atomic<int> g_writing{0};
// Set by a handler that prints a stop text; it ends the program once printed.
std::atomic<int> g_printing{0};
std::atomic<const StopText*> g_stopText{nullptr};
static_assert(std::atomic<int>::is_always_lock_free &&
              std::atomic<const StopText*>::is_always_lock_free);

constexpr char kAborted[] = "Operation Aborted\n";

void writeAll(int fd, const char* bytes, qsizetype size)
{
    qsizetype done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, std::size_t(size - done));
        if (n <= 0)
            return;
        done += n;
    }
}

void requestStop(int)
{
    g_stopRequested.store(1);
    if (g_writing.load())
        return;
    g_printing.store(1);
    if (const StopText* text = g_stopText.load()) {
        writeAll(2, text->toStderr.constData(), text->toStderr.size());
        writeAll(1, text->toStdout.constData(), text->toStdout.size());
    } else {
        writeAll(2, kAborted, qsizetype(sizeof kAborted - 1));
    }
    ::_exit(1);
}

} // namespace

StopTexts::~StopTexts()
{
    g_stopText.store(nullptr);
    // A handler that took a text before cannot be stopped and ends the program once that text
    // is printed: the text stays until then.
    while (g_printing.load())
        ::pause();
}

void StopTexts::publish(StopText text)
{
    m_texts.push_back(std::move(text));
    g_stopText.store(&m_texts.back());
    // A handler sets g_printing before it takes the text: while it is clear after the new text
    // is in place, no handler holds an older one, and the older ones can go.
    if (!g_printing.load())
        m_texts.erase(m_texts.begin(), std::prev(m_texts.end()));
}

void CatchStops()
{
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
}

bool StopRequested()
{
    return g_stopRequested.load() != 0;
}

void SetWriting(bool writing)
{
    g_writing.store(writing ? 1 : 0);
}

} // namespace lumelle
