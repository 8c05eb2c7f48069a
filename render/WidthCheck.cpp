#include "render/WidthCheck.h"

#include "render/Renderer.h"
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

bool SubtitleFitsWidth(const std::string& line1, const std::string& line2,
                       const RenderSettings& settings)
{
    const auto fits = [&settings](const std::string& text) {
        return LineFitsWidth(MeasureLine(text, settings.fontName, settings.fontSize,
                                         settings.fontStyle, settings.charset)
                                 .width);
    };
    return fits(line1) && fits(line2);
}

int FirstTooWideEntry(const TSubtitle& list, RenderSettings settings, int threads)
{
    settings.fileEncoding = list.Encoding();
    constexpr int kBlock = 64;
    const int count = list.Count();
    threads = std::clamp(threads, 1, std::max(1, count / kBlock));
    if (threads == 1)
        return firstTooWideIn(list, settings, 1, count + 1);
    // Blocks of entries are taken in order; a block that starts after a refused entry already
    // found is left, and every block before it is measured whole, so the lowest refused entry
    // is the answer whichever thread finds it.
    std::atomic<int> nextBlock{0};
    std::atomic<int> firstRefused{count + 1};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto measureBlocks = [&] {
        for (;;) {
            const std::int64_t start = 1 + std::int64_t(kBlock) * nextBlock.fetch_add(1);
            if (failed.load() || start > count || start > firstRefused.load())
                return;
            const int refused = firstTooWideIn(
                list, settings, int(start), int(std::min<std::int64_t>(start + kBlock, count + 1)));
            int known = firstRefused.load();
            while (refused != 0 && refused < known &&
                   !firstRefused.compare_exchange_weak(known, refused)) {
            }
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
    return firstRefused.load() <= count ? firstRefused.load() : 0;
}

QString ShownLine(const std::string& bytes, quint8 charset)
{
    return ShownLine(bytes, charset, FileEncoding{});
}

QString ShownLine(const std::string& bytes, quint8 charset, const FileEncoding& encoding)
{
    // Decode a little more than is shown, never the whole of a huge line.
    const std::size_t head = std::size_t(kShownLineLimit) * 4 + 4;
    if (bytes.size() <= head) {
        QString text = DecodeText(bytes, charset, encoding);
        if (text.size() <= kShownLineLimit)
            return text;
        return text.left(kShownLineLimit) + QStringLiteral("...");
    }
    return DecodeText(bytes.substr(0, head), charset, encoding).left(kShownLineLimit) +
           QStringLiteral("...");
}

QString TooLongMessage(const std::string& line1, const std::string& line2, quint8 charset,
                       const char* tail, const FileEncoding& encoding)
{
    return QStringLiteral("The string \r") + ShownLine(line1, charset, encoding) +
           QLatin1Char('\r') + ShownLine(line2, charset, encoding) + QLatin1Char('\r') +
           QString::fromLatin1(tail);
}

} // namespace lumelle
