// The converter's progress bar on a terminal: redrawn at most about ten times a second, however
// many subtitles a file holds, and always in its last state.
#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>

namespace lumelle {

class ProgressBar
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Output = std::function<void(const QByteArray&)>;

    // The least time between two redraws.
    static constexpr std::chrono::milliseconds kRedrawInterval{100};

    // A bar labelled `label` (the file's name as shown) that draws through `output`; `enabled`
    // false (not a terminal, or quiet) draws nothing.
    ProgressBar(const QString& label, bool enabled, Output output,
                Clock clock = std::chrono::steady_clock::now);
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    // `done` of `count` subtitles are under way; drawn when the last redraw is old enough or
    // the bar is full.
    void show(int done, int count);
    // Draws the last state if it was not drawn, and ends the line.
    void finish();

private:
    void draw(int done, int count);

    QString m_label;
    bool m_enabled;
    Output m_output;
    Clock m_clock;
    std::chrono::steady_clock::time_point m_lastDraw{};
    bool m_shown = false;
    int m_pendingDone = -1; // a state not drawn yet, or -1
    int m_pendingCount = 0;
};

} // namespace lumelle
