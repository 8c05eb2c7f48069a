#include "render/WidthCheck.h"

#include "render/TextBlock.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace lumelle {

namespace {

// The first entry in [first, last) that does not fit, or 0.
int firstTooWideIn(const TSubtitle& list, const RenderSettings& settings, int first, int last)
{
    for (int i = first; i < last; ++i) {
        if (!EntryFitsWidth(list.line(i), settings))
            return i;
    }
    return 0;
}

} // namespace

FirstRefusedSearch::FirstRefusedSearch(int count, int block)
    : m_count(count), m_block(block), m_firstRefused(count + 1)
{}

bool FirstRefusedSearch::nextBlock(int& first, int& last)
{
    const std::int64_t start = 1 + std::int64_t(m_block) * m_nextBlock.fetch_add(1);
    if (start > m_count || start > m_firstRefused.load())
        return false;
    first = int(start);
    last = int(std::min<std::int64_t>(start + m_block, std::int64_t(m_count) + 1));
    return true;
}

void FirstRefusedSearch::refused(int entry)
{
    int known = m_firstRefused.load();
    while (entry < known && !m_firstRefused.compare_exchange_weak(known, entry)) {
    }
}

int FirstRefusedSearch::result() const
{
    const int first = m_firstRefused.load();
    return first <= m_count ? first : 0;
}

int FirstTooWideEntry(const TSubtitle& list, const RenderSettings& settings, int threads)
{
    constexpr int kBlock = 64;
    const int count = list.Count();
    threads = std::clamp(threads, 1, std::max(1, count / kBlock));
    if (threads == 1)
        return firstTooWideIn(list, settings, 1, count + 1);
    FirstRefusedSearch search(count, kBlock);
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto measureBlocks = [&] {
        int first = 0;
        int last = 0;
        while (!failed.load() && search.nextBlock(first, last)) {
            if (const int refused = firstTooWideIn(list, settings, first, last))
                search.refused(refused);
        }
    };
    // A failure on any thread stops the others and is thrown again here.
    const auto work = [&] {
        try {
            measureBlocks();
        } catch (...) {
            const std::lock_guard<std::mutex> hold(failureLock);
            if (!failure)
                failure = std::current_exception();
            failed.store(true);
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    if (failure)
        std::rethrow_exception(failure);
    return search.result();
}

QString ShownLine(const std::string& text)
{
    // Decode a little more than is shown, never the whole of a huge line: 500 characters take
    // at most four bytes each.
    const std::size_t head = std::size_t(kShownLineLimit) * 4 + 4;
    if (text.size() <= head) {
        QString shown = QString::fromUtf8(text.data(), qsizetype(text.size()));
        if (shown.size() <= kShownLineLimit)
            return shown;
        return shown.left(kShownLineLimit) + QStringLiteral("...");
    }
    return QString::fromUtf8(text.data(), qsizetype(head)).left(kShownLineLimit) +
           QStringLiteral("...");
}

QString TooLongMessage(const std::string& line1, const std::string& line2, const char* tail)
{
    return QStringLiteral("The string \r") + ShownLine(line1) + QLatin1Char('\r') +
           ShownLine(line2) + QLatin1Char('\r') + QString::fromLatin1(tail);
}

QString FirstTooWideSubtitle(const TSubtitle& list, const RenderSettings& settings, int threads)
{
    const int first = FirstTooWideEntry(list, settings, threads);
    if (first == 0)
        return QString();
    const SubtitleLine& l = list.line(first);
    QString message = TooLongMessage(l.Line1, LinesAfterFirst(l), kTooLongAfterLoad);
    if (EntryFitsWhenWrapped(l, settings))
        message += QStringLiteral("\r--wrap would break the line to fit.");
    return message;
}

} // namespace lumelle
