#include "convert/UnitPipeline.h"

#include "platform/Processors.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace lumelle {

namespace {

PipelineOutcome runSerially(int count, const PipelineSteps& steps)
{
    PipelineOutcome outcome;
    for (int i = 0; i < count; ++i) {
        if (!steps.before(i)) {
            outcome.stopped = true;
            break;
        }
        EncodedPicture unit = steps.make(i, 0);
        steps.take(i, unit);
        ++outcome.taken;
    }
    return outcome;
}

// The units between the workers and the consumer: a ring of `window` slots, so that workers
// run at most `window` units ahead of the consumer and memory stays bounded.
class UnitQueue
{
public:
    UnitQueue(int count, int window) : m_count(count), m_slots(std::size_t(window)) {}

    // The next unit for a worker to make, or -1 when there is none left or the run stopped.
    int claim()
    {
        std::unique_lock lock(m_mutex);
        ++m_waitingWorkers;
        m_space.wait(lock, [&] {
            return m_stopped || m_next >= m_count || m_next < m_taken + int(m_slots.size());
        });
        --m_waitingWorkers;
        if (m_stopped || m_next >= m_count)
            return -1;
        return m_next++;
    }

    void deliver(int index, EncodedPicture unit, std::exception_ptr error)
    {
        std::lock_guard lock(m_mutex);
        Slot& slot = slotOf(index);
        slot.unit = std::move(unit);
        slot.error = std::move(error);
        slot.ready = true;
        // Only the unit the writer waits for is worth waking it.
        if (index == m_awaited)
            m_ready.notify_one();
    }

    // Takes unit `index` once it is made; its failure, if any, is thrown. While it is not
    // ready the calling thread makes units itself (as worker `helper`), so that `jobs`
    // threads in all draw, the writer among them.
    EncodedPicture take(int index, const PipelineSteps& steps, int helper)
    {
        std::unique_lock lock(m_mutex);
        Slot& slot = slotOf(index);
        while (!slot.ready && !m_stopped && m_next < m_count &&
               m_next < m_taken + int(m_slots.size())) {
            const int other = m_next++;
            lock.unlock();
            make(other, steps, helper);
            lock.lock();
        }
        m_awaited = index;
        m_ready.wait(lock, [&] { return slot.ready; });
        m_awaited = -1;
        slot.ready = false;
        if (slot.error)
            std::rethrow_exception(std::exchange(slot.error, nullptr));
        EncodedPicture unit = std::move(slot.unit);
        m_taken = index + 1;
        if (m_waitingWorkers > 0)
            m_space.notify_one();
        return unit;
    }

    // Makes unit `index` as worker `worker` and hands it, or its failure, over.
    void make(int index, const PipelineSteps& steps, int worker)
    {
        EncodedPicture unit;
        std::exception_ptr error;
        try {
            unit = steps.make(index, worker);
        } catch (...) {
            error = std::current_exception();
        }
        deliver(index, std::move(unit), std::move(error));
    }

    void stop()
    {
        std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_space.notify_all();
    }

private:
    struct Slot
    {
        EncodedPicture unit;
        std::exception_ptr error;
        bool ready = false;
    };
    Slot& slotOf(int index) { return m_slots[std::size_t(index) % m_slots.size()]; }

    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::condition_variable m_space;
    const int m_count;
    int m_next = 0;
    int m_taken = 0;
    int m_awaited = -1; // the unit the writer waits for
    int m_waitingWorkers = 0;
    bool m_stopped = false;
    std::vector<Slot> m_slots;
};

// The worker threads; stopped and joined when the run ends, however it ends.
class Workers
{
public:
    Workers(UnitQueue& queue, int jobs, const PipelineSteps& steps) : m_queue(queue)
    {
        for (int w = 0; w < jobs; ++w) {
            m_threads.emplace_back([&queue, &steps, w] {
                for (int index = queue.claim(); index >= 0; index = queue.claim())
                    queue.make(index, steps, w);
            });
        }
    }
    ~Workers()
    {
        m_queue.stop();
        for (std::thread& t : m_threads)
            t.join();
    }
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

private:
    UnitQueue& m_queue;
    std::vector<std::thread> m_threads;
};

} // namespace

int WorkerCount(int requested)
{
    if (requested > 0)
        return requested;
    return platform::usableProcessors();
}

PipelineOutcome RunInOrder(int count, int jobs, const PipelineSteps& steps)
{
    jobs = std::min(WorkerCount(jobs), std::max(count, 1));
    if (jobs <= 1)
        return runSerially(count, steps);

    // A few units per worker ahead of the writer keep every worker busy. The calling thread
    // is the last worker.
    UnitQueue queue(count, 4 * jobs);
    Workers workers(queue, jobs - 1, steps);
    PipelineOutcome outcome;
    for (int i = 0; i < count; ++i) {
        if (!steps.before(i)) {
            outcome.stopped = true;
            break;
        }
        EncodedPicture unit = queue.take(i, steps, jobs - 1);
        steps.take(i, unit);
        ++outcome.taken;
    }
    return outcome;
}

} // namespace lumelle
