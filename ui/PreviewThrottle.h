// Which pictures of a generation run the preview shows: a person sees no more than about 25
// redraws a second, so drawing every subtitle of a film on screen only slows the run down.
#pragma once

#include <QElapsedTimer>

namespace lumelle {

class PreviewThrottle
{
public:
    // 40 ms between shown pictures: 25 a second.
    static constexpr qint64 kIntervalMs = 40;

    void start()
    {
        m_clock.start();
        m_lastShownMs = -kIntervalMs;
    }

    // True when the picture of this subtitle is to be shown: the first, then one whenever
    // the interval has passed, and always the last, so the run ends showing what it wrote.
    bool shouldShow(bool last)
    {
        return shouldShowAt(m_clock.isValid() ? m_clock.elapsed() : 0, last);
    }

    // The same at `nowMs` milliseconds after start().
    bool shouldShowAt(qint64 nowMs, bool last)
    {
        if (!last && nowMs - m_lastShownMs < kIntervalMs)
            return false;
        m_lastShownMs = nowMs;
        return true;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_lastShownMs = -kIntervalMs;
};

} // namespace lumelle
