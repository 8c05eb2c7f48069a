#include "cli/ProgressBar.h"

namespace lumelle {

ProgressBar::ProgressBar(const QString& label, bool enabled, Output output, Clock clock)
    : m_label(label), m_enabled(enabled), m_output(std::move(output)), m_clock(std::move(clock))
{}

ProgressBar::~ProgressBar()
{
    finish();
}

void ProgressBar::show(int done, int count)
{
    if (!m_enabled || count <= 0)
        return;
    const auto now = m_clock();
    if (m_shown && done < count && now - m_lastDraw < kRedrawInterval) {
        m_pendingDone = done;
        m_pendingCount = count;
        return;
    }
    m_lastDraw = now;
    draw(done, count);
}

void ProgressBar::finish()
{
    if (m_pendingDone >= 0)
        draw(m_pendingDone, m_pendingCount);
    if (m_shown)
        m_output(QByteArrayLiteral("\n"));
    m_shown = false;
}

void ProgressBar::draw(int done, int count)
{
    const int width = 30;
    const int filled = int(qint64(done) * width / count);
    const QString line =
        QStringLiteral("\r[%1%2] %3% %4/%5 %6")
            .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char('.')))
            .arg(int(qint64(done) * 100 / count), 3)
            .arg(done)
            .arg(count)
            .arg(m_label);
    m_output(line.toLocal8Bit());
    m_shown = true;
    m_pendingDone = -1;
}

} // namespace lumelle
