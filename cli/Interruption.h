// Ctrl+C and SIGTERM. While a pair is being written, a stop ends the run after the subtitle in
// hand, so that its temporary files are removed and the earlier pair stays as it was. Before
// that (reading and checking) nothing is open, and a stop ends the program at once with a text
// made ready beforehand.
#pragma once

#include <QByteArray>
#include <list>

namespace lumelle {

// What a stop that ends the program at once prints.
struct StopText
{
    QByteArray toStderr; // "Operation Aborted" and the files not converted
    QByteArray toStdout; // the --json summary with those files marked
};

// The texts a stop prints, made ready before each step, because a signal handler can only
// write bytes that are already there.
class StopTexts
{
public:
    StopTexts() = default;
    // Takes the text back from the stop, which then prints "Operation Aborted" alone.
    ~StopTexts();
    StopTexts(const StopTexts&) = delete;
    StopTexts& operator=(const StopTexts&) = delete;

    // `text` is what a stop prints from now on.
    void publish(StopText text);

private:
    // The text published last, and those a stop that began earlier may still be printing.
    std::list<StopText> m_texts;
};

// Catches SIGINT and SIGTERM from here on.
void CatchStops();

// True once a stop came.
bool StopRequested();

// True while a pair is being written and until its outcome is taken: a stop then ends the run
// after the subtitle in hand. False: a stop ends the program at once.
void SetWriting(bool writing);

} // namespace lumelle
